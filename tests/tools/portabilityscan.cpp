#include "portabilityscan.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

const QStringList UnixMacros = {"Q_OS_UNIX",   "Q_OS_LINUX", "Q_OS_MACOS", "Q_OS_MAC", "Q_OS_OSX",
                                "Q_OS_DARWIN", "Q_OS_BSD4",  "__unix__",   "__unix",   "unix",
                                "__linux__",   "__linux",    "linux",      "__APPLE__"};
const QStringList WindowsMacros = {"Q_OS_WIN", "Q_OS_WIN32", "Q_OS_WIN64", "_WIN32",
                                   "_WIN64",   "WIN32",      "_MSC_VER",   "__MINGW32__"};

// Headers of POSIX that Windows compilers do not have (sys/types.h and sys/stat.h they do).
const QStringList PosixHeaders = {"unistd.h", "termios.h", "termio.h",  "fcntl.h",   "pty.h",
                                  "util.h",   "libutil.h", "poll.h",    "pthread.h", "dlfcn.h",
                                  "pwd.h",    "grp.h",     "dirent.h",  "syslog.h",  "glob.h",
                                  "libgen.h", "utmp.h",    "spawn.h",   "sched.h",   "strings.h",
                                  "netdb.h",  "ifaddrs.h", "wordexp.h", "fnmatch.h", "semaphore.h"};
const QStringList PortableSysHeaders = {"sys/types.h", "sys/stat.h", "sys/timeb.h", "sys/utime.h"};

const QString PosixCalls = QStringLiteral(
        "fork|vfork|execl|execlp|execle|execv|execvp|execve|setsid|setpgid|getpid|getppid|"
        "getuid|geteuid|getgid|getegid|kill|killpg|sigaction|sigprocmask|sigemptyset|"
        "sigaddset|pthread_\\w+|posix_openpt|grantpt|unlockpt|ptsname|ptsname_r|openpty|"
        "forkpty|login_tty|tcgetattr|tcsetattr|tcflush|tcdrain|cfmakeraw|cfsetispeed|"
        "cfsetospeed|cfsetspeed|ioctl|fcntl|symlink|readlink|lstat|mkfifo|mknod|sleep|usleep|"
        "nanosleep|setrlimit|getrlimit|waitpid|wait3|wait4|dup2|pipe|poll|realpath|setenv|"
        "unsetenv|mmap|munmap|mprotect|dlopen|dlsym|dlclose|chown|lchown|fchown|fchmod|"
        "getpwuid|getpwnam|getgrgid|isatty|ttyname|sysconf|alarm|pause|fsync|ftruncate|"
        "gettimeofday|clock_gettime|strcasecmp|strncasecmp|unlink");
// File-descriptor calls are only recognisable with their global-scope "::".
const QString GlobalFdCalls = QStringLiteral("open|close|read|write|lseek|unlink");
const QString PosixTypes =
        QStringLiteral("ssize_t|pid_t|uid_t|gid_t|mode_t|speed_t|termios|sigset_t|pthread_t");
const QString PosixSignals = QStringLiteral(
        "SIGKILL|SIGHUP|SIGPIPE|SIGUSR1|SIGUSR2|SIGCHLD|SIGALRM|SIGQUIT|SIGSTOP|SIGCONT|"
        "SIGTSTP|SIGTTIN|SIGTTOU|SIGWINCH");
// Words after which "name(" is still a call, not a declaration of a function "name".
const QStringList CallKeywords = {"return", "else",      "do",       "case",
                                  "throw",  "co_return", "co_await", "co_yield"};

// Comments (and, unless keepStrings, string and character literals) become spaces; line
// breaks stay, so line numbers still count.
QString stripText(const QString& text, bool keepStrings)
{
    QString out = text;
    const int n = text.size();
    int i = 0;
    const auto blank = [&out](int from, int to) {
        for (int k = from; k < to; ++k)
            if (out[k] != QLatin1Char('\n'))
                out[k] = QLatin1Char(' ');
    };
    while (i < n) {
        const QChar c = text[i];
        const QChar next = i + 1 < n ? text[i + 1] : QChar();
        if (c == '/' && next == '/') {
            int end = text.indexOf(QLatin1Char('\n'), i);
            if (end < 0)
                end = n;
            blank(i, end);
            i = end;
        } else if (c == '/' && next == '*') {
            int end = text.indexOf(QLatin1String("*/"), i + 2);
            end = end < 0 ? n : end + 2;
            blank(i, end);
            i = end;
        } else if (c == 'R' && next == '"' && (i == 0 || !(text[i - 1].isLetterOrNumber()))) {
            // Raw string: R"delim( ... )delim"
            const int open = text.indexOf(QLatin1Char('('), i + 2);
            if (open < 0) {
                ++i;
                continue;
            }
            const QString closing = QLatin1Char(')') + text.mid(i + 2, open - i - 2) + '"';
            int end = text.indexOf(closing, open + 1);
            end = end < 0 ? n : end + closing.size();
            if (!keepStrings)
                blank(i + 1, end);
            i = end;
        } else if (c == '"' || (c == '\'' && !(i > 0 && text[i - 1].isLetterOrNumber()))) {
            // A quote after a digit or letter is a digit separator (1'000), not a literal.
            int k = i + 1;
            while (k < n && text[k] != c && text[k] != '\n') {
                if (text[k] == '\\')
                    ++k;
                ++k;
            }
            const int end = qMin(n, k + 1);
            if (!keepStrings)
                blank(i + 1, end - 1);
            i = end;
        } else {
            ++i;
        }
    }
    return out;
}

enum class Branch { Other, Unix, Windows, Dead };

Branch classifyCondition(const QString& directive, const QString& condition)
{
    const QString name = condition.trimmed().section(QRegularExpression("\\s+"), 0, 0);
    if (directive == QLatin1String("ifdef")) {
        if (UnixMacros.contains(name))
            return Branch::Unix;
        return WindowsMacros.contains(name) ? Branch::Windows : Branch::Other;
    }
    if (directive == QLatin1String("ifndef")) {
        if (WindowsMacros.contains(name))
            return Branch::Unix;
        return UnixMacros.contains(name) ? Branch::Windows : Branch::Other;
    }
    // #if / #elif: a simple reading of && and || over defined(...) terms.
    if (condition.trimmed() == QLatin1String("0"))
        return Branch::Dead;
    static const QRegularExpression term(
            "(!\\s*)?(?:defined\\s*\\(?\\s*)?\\b([A-Za-z_][A-Za-z0-9_]*)\\b");
    int unixTerms = 0;
    int windowsTerms = 0;
    int terms = 0;
    auto it = term.globalMatch(condition);
    while (it.hasNext()) {
        const auto m = it.next();
        const QString macro = m.captured(2);
        if (macro == QLatin1String("defined"))
            continue;
        const bool negated = !m.captured(1).isEmpty();
        const bool unix = UnixMacros.contains(macro);
        const bool windows = WindowsMacros.contains(macro);
        if (!unix && !windows)
            continue;
        ++terms;
        if (unix != negated)
            ++unixTerms;
        else
            ++windowsTerms;
    }
    if (terms == 0)
        return Branch::Other;
    const bool anyOr = condition.contains(QLatin1String("||"));
    const bool anyAnd = condition.contains(QLatin1String("&&"));
    if (!anyOr) // every term must hold: one platform term decides
        return unixTerms > 0 ? Branch::Unix : Branch::Windows;
    if (!anyAnd && unixTerms == terms)
        return Branch::Unix;
    if (!anyAnd && windowsTerms == terms)
        return Branch::Windows;
    return Branch::Other;
}

struct Conditional
{
    Branch branch;
    bool chained; // an #elif was seen: #else then means "none of them"
};

bool isCallAt(const QString& line, int start)
{
    int k = start - 1;
    while (k >= 0 && line[k].isSpace())
        --k;
    if (k < 0)
        return true;
    const QChar before = line[k];
    if (before == '.' || (before == '>' && k > 0 && line[k - 1] == '-'))
        return false; // a member: object.kill(), p->close()
    if (before == ':' && k > 0 && line[k - 1] == ':') {
        int q = k - 2;
        while (q >= 0 && line[q].isSpace())
            --q;
        // QProcess::kill() or std::...: a qualified name; a bare "::" is the C function.
        return !(q >= 0 && (line[q].isLetterOrNumber() || line[q] == '_' || line[q] == '>'));
    }
    if (before == '~')
        return false;
    if (before.isLetterOrNumber() || before == '_') {
        int q = k;
        while (q >= 0 && (line[q].isLetterOrNumber() || line[q] == '_'))
            --q;
        const QString word = line.mid(q + 1, k - q);
        return CallKeywords.contains(word); // "void pause()" declares, "return kill(" calls
    }
    return true;
}

} // namespace

QString PortabilityScan::Finding::toString() const
{
    return QStringLiteral("%1:%2: %3").arg(file).arg(line).arg(what);
}

QList<PortabilityScan::Finding> PortabilityScan::scanSource(const QString& text,
                                                            const QString& fileName,
                                                            const QSet<QString>& unixOnlyHeaders)
{
    static const QRegularExpression directive("^\\s*#\\s*(\\w+)\\s*(.*)$");
    static const QRegularExpression include("^\\s*#\\s*include\\s*[<\"]([^>\"]+)[>\"]");
    static const QRegularExpression call("\\b(" + PosixCalls + ")\\s*\\(");
    static const QRegularExpression fdCall("::\\s*(" + GlobalFdCalls + ")\\s*\\(");
    static const QRegularExpression type("\\b(" + PosixTypes + ")\\b");
    static const QRegularExpression signal("\\b(" + PosixSignals + ")\\b");

    const QStringList withStrings = stripText(text, true).split(QLatin1Char('\n'));
    const QStringList code = stripText(text, false).split(QLatin1Char('\n'));
    QList<Finding> findings;
    QList<Conditional> stack;
    const auto add = [&](int index, const QString& what) {
        findings.append({fileName, index + 1, what});
    };

    for (int i = 0; i < code.size(); ++i) {
        const QString& line = code.at(i);
        const auto d = directive.match(line);
        if (d.hasMatch()) {
            const QString word = d.captured(1);
            const QString rest = d.captured(2);
            if (word == QLatin1String("if") || word == QLatin1String("ifdef") ||
                word == QLatin1String("ifndef")) {
                stack.append({classifyCondition(word, rest), false});
                continue;
            }
            if (word == QLatin1String("elif") && !stack.isEmpty()) {
                stack.last() = {classifyCondition(QStringLiteral("if"), rest), true};
                continue;
            }
            if (word == QLatin1String("else") && !stack.isEmpty()) {
                Conditional& c = stack.last();
                if (c.chained)
                    c.branch = Branch::Other;
                else if (c.branch == Branch::Unix)
                    c.branch = Branch::Windows;
                else if (c.branch == Branch::Windows)
                    c.branch = Branch::Unix;
                else if (c.branch == Branch::Dead)
                    c.branch = Branch::Other;
                continue;
            }
            if (word == QLatin1String("endif") && !stack.isEmpty()) {
                stack.removeLast();
                continue;
            }
        }
        bool guarded = false;
        for (const Conditional& c : qAsConst(stack))
            guarded = guarded || c.branch == Branch::Unix || c.branch == Branch::Dead;
        if (guarded)
            continue;

        const auto inc = include.match(withStrings.value(i));
        if (inc.hasMatch()) {
            const QString header = inc.captured(1);
            const bool sysHeader = header.startsWith(QLatin1String("sys/")) &&
                                   !PortableSysHeaders.contains(header);
            const bool other = header.startsWith(QLatin1String("arpa/")) ||
                               header.startsWith(QLatin1String("netinet/")) ||
                               header.startsWith(QLatin1String("linux/"));
            if (PosixHeaders.contains(header) || sysHeader || other)
                add(i, QStringLiteral("POSIX header <%1>").arg(header));
            else if (unixOnlyHeaders.contains(QFileInfo(header).fileName()))
                add(i, QStringLiteral("Unix-only header %1").arg(header));
            continue;
        }
        auto calls = call.globalMatch(line);
        while (calls.hasNext()) {
            const auto m = calls.next();
            if (isCallAt(line, m.capturedStart(1)))
                add(i, QStringLiteral("POSIX call %1()").arg(m.captured(1)));
        }
        auto fdCalls = fdCall.globalMatch(line);
        while (fdCalls.hasNext()) {
            const auto m = fdCalls.next();
            int q = m.capturedStart() - 1;
            while (q >= 0 && line[q].isSpace())
                --q;
            const bool qualified = q >= 0 && (line[q].isLetterOrNumber() || line[q] == '_');
            if (!qualified)
                add(i, QStringLiteral("POSIX call ::%1()").arg(m.captured(1)));
        }
        auto types = type.globalMatch(line);
        while (types.hasNext())
            add(i, QStringLiteral("POSIX type %1").arg(types.next().captured(1)));
        auto signals_ = signal.globalMatch(line);
        while (signals_.hasNext())
            add(i, QStringLiteral("POSIX signal %1").arg(signals_.next().captured(1)));
    }
    return findings;
}

QSet<QString> PortabilityScan::unixOnlySources(const QString& cmakeText)
{
    static const QRegularExpression ifLine("^\\s*(if|elseif|else|endif)\\s*\\((.*)\\)",
                                           QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression source("[\\w${}/.+-]+\\.(?:cpp|h|hpp|c|cc)\\b");
    static const QRegularExpression unixCondition(
            "^\\s*(UNIX|NOT\\s+WIN32|UNIX\\s+AND\\s+.*|.*\\s+AND\\s+UNIX)\\s*$");
    static const QRegularExpression windowsCondition("^\\s*(WIN32|NOT\\s+UNIX)\\s*$");

    QSet<QString> files;
    QList<Branch> stack;
    const QStringList lines = cmakeText.split(QLatin1Char('\n'));
    for (QString line : lines) {
        const int comment = line.indexOf(QLatin1Char('#'));
        if (comment >= 0)
            line.truncate(comment);
        const auto m = ifLine.match(line);
        if (m.hasMatch()) {
            const QString word = m.captured(1).toLower();
            const QString condition = m.captured(2);
            const auto classify = [&]() {
                if (unixCondition.match(condition).hasMatch())
                    return Branch::Unix;
                return windowsCondition.match(condition).hasMatch() ? Branch::Windows
                                                                    : Branch::Other;
            };
            if (word == QLatin1String("if")) {
                stack.append(classify());
            } else if (word == QLatin1String("elseif") && !stack.isEmpty()) {
                stack.last() = classify() == Branch::Unix ? Branch::Unix : Branch::Other;
            } else if (word == QLatin1String("else") && !stack.isEmpty()) {
                stack.last() = stack.last() == Branch::Windows ? Branch::Unix : Branch::Other;
            } else if (word == QLatin1String("endif") && !stack.isEmpty()) {
                stack.removeLast();
            }
            continue;
        }
        if (!stack.contains(Branch::Unix))
            continue;
        auto it = source.globalMatch(line);
        while (it.hasNext())
            files.insert(it.next().captured());
    }
    return files;
}

void PortabilityScan::scanTree(const QString& root)
{
    const QDir rootDir(root);
    const auto skipped = [](const QFileInfo& dir) {
        const QString name = dir.fileName();
        return name.startsWith(QLatin1String("build")) || name.startsWith(QLatin1Char('.')) ||
               name == QLatin1String("node_modules") ||
               QFileInfo::exists(dir.filePath() + QStringLiteral("/CMakeCache.txt"));
    };
    // Walk by hand so that build folders are never entered.
    QStringList folders{rootDir.absolutePath()};
    QStringList sources;
    QSet<QString> unixOnly;
    while (!folders.isEmpty()) {
        const QDir dir(folders.takeFirst());
        const QFileInfoList entries =
                dir.entryInfoList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
        for (const QFileInfo& entry : entries) {
            if (entry.isDir()) {
                if (!skipped(entry))
                    folders.append(entry.absoluteFilePath());
                continue;
            }
            const QString suffix = entry.suffix();
            if (suffix == QLatin1String("cpp") || suffix == QLatin1String("h"))
                sources.append(entry.absoluteFilePath());
            if (entry.fileName() != QLatin1String("CMakeLists.txt"))
                continue;
            QFile file(entry.absoluteFilePath());
            if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
                continue;
            const QSet<QString> named = unixOnlySources(QString::fromUtf8(file.readAll()));
            for (QString name : named) {
                name.replace(QLatin1String("${CMAKE_CURRENT_SOURCE_DIR}"), dir.absolutePath());
                name.replace(QLatin1String("${PROJECT_SOURCE_DIR}"), rootDir.absolutePath());
                unixOnly.insert(QDir::cleanPath(dir.absoluteFilePath(name)));
            }
        }
    }
    sources.sort();
    QSet<QString> unixOnlyHeaders;
    for (const QString& path : qAsConst(unixOnly))
        if (path.endsWith(QLatin1String(".h")))
            unixOnlyHeaders.insert(QFileInfo(path).fileName());
    for (const QString& path : qAsConst(sources)) {
        const QString relative = rootDir.relativeFilePath(path);
        if (unixOnly.contains(QDir::cleanPath(path))) {
            m_unixOnly.append(relative);
            continue;
        }
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            continue;
        m_scanned.append(relative);
        m_findings += scanSource(QString::fromUtf8(file.readAll()), relative, unixOnlyHeaders);
    }
}
