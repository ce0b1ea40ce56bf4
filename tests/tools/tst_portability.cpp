// The tree builds on Windows: no POSIX-only header, call, type or signal outside code that
// only Unix compiles. The scanner is tested on small sources first, so that a clean scan of
// the tree means something.

#include "portabilityscan.h"

#include <QFile>
#include <QtTest>

class TestPortability : public QObject
{
    Q_OBJECT

private slots:
    void scanSource_data();
    void scanSource();
    void unixOnlySources_data();
    void unixOnlySources();
    void treeHasNoUnguardedPosixCode();
    void unixOnlyFilesAreCaught();
};

void TestPortability::scanSource_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QStringList>("expected"); // "line: what" of every finding
    // Every row may include "simpty.h", which the rows take as a header only Unix builds.

    QTest::newRow("POSIX headers")
            << "#include <unistd.h>\n#include <sys/ioctl.h>\n"
               "#include <termios.h>\n#include <sys/types.h>\n"
               "#include <QFile>\n#include <csignal>\n"
            << QStringList{"1: POSIX header <unistd.h>", "2: POSIX header <sys/ioctl.h>",
                           "3: POSIX header <termios.h>"};
    QTest::newRow("guarded by Q_OS_UNIX")
            << "#ifdef Q_OS_UNIX\n#include <unistd.h>\nint f() { return getpid(); }\n#endif\n"
               "int g() { return getpid(); }\n"
            << QStringList{"5: POSIX call getpid()"};
    QTest::newRow("else of Q_OS_WIN is Unix")
            << "#ifdef Q_OS_WIN\nvoid a() { kill(1, 2); }\n#else\nvoid b() { kill(1, 2); }\n"
               "#endif\n"
            << QStringList{"2: POSIX call kill()"};
    QTest::newRow("ifndef Q_OS_WIN, defined() forms")
            << "#ifndef Q_OS_WIN\nint a = fork();\n#endif\n"
               "#if defined(Q_OS_LINUX) || defined(Q_OS_MACOS)\nint b = fork();\n#endif\n"
               "#if defined(Q_OS_UNIX) && QT_VERSION > 0x050000\nint c = fork();\n#endif\n"
               "#if !defined(Q_OS_UNIX)\nint d = fork();\n#endif\n"
            << QStringList{"11: POSIX call fork()"};
    QTest::newRow("nested conditions keep the guard")
            << "#ifdef __unix__\n#ifdef HAVE_X\nint a = fork();\n#endif\nint b = fork();\n"
               "#endif\nint c = fork();\n"
            << QStringList{"7: POSIX call fork()"};
    QTest::newRow("unrelated condition is no guard")
            << "#ifndef HEADER_H\n#define HEADER_H\nint a = fork();\n#endif\n"
            << QStringList{"3: POSIX call fork()"};
    QTest::newRow("comments and strings are not code")
            << "// fork() and <unistd.h>\n/* kill(1, SIGKILL);\n   pipe(p); */\n"
               "const char* s = \"usleep(5) SIGHUP\";\nchar c = '(';\n"
            << QStringList();
    QTest::newRow("members, qualified names and declarations")
            << "process.kill();\np->close();\nQProcess::kill();\nQThread::sleep(1);\n"
               "void pause();\nbool open(QString* e);\nclose();\n"
            << QStringList();
    QTest::newRow("global-scope descriptor calls")
            << "::close(fd);\nint n = ::read(fd, b, 1);\nif (::write(fd, b, 1) < 0) {}\n"
            << QStringList{"1: POSIX call ::close()", "2: POSIX call ::read()",
                           "3: POSIX call ::write()"};
    QTest::newRow("calls after return and in expressions")
            << "return kill(pid, 0) == 0;\nx = a + tcsetattr(fd, 0, &t);\n"
            << QStringList{"1: POSIX call kill()", "2: POSIX call tcsetattr()"};
    QTest::newRow("types and signals")
            << "ssize_t n = 0;\nstd::signal(SIGTERM, h);\nstd::signal(SIGPIPE, h);\n"
               "termios t;\n"
            << QStringList{"1: POSIX type ssize_t", "3: POSIX signal SIGPIPE",
                           "4: POSIX type termios"};
    QTest::newRow("headers that only Unix builds")
            << "#include \"simpty.h\"\n#include <sim/simpty.h>\n#ifdef Q_OS_UNIX\n#include "
               "\"simpty.h\"\n"
               "#endif\n#include \"simptyless.h\"\n"
            << QStringList{"1: Unix-only header simpty.h", "2: Unix-only header sim/simpty.h"};
    QTest::newRow("if 0 is never built")
            << "#if 0\nint a = fork();\n#else\nint b = fork();\n#endif\n"
            << QStringList{"4: POSIX call fork()"};
}

void TestPortability::scanSource()
{
    QFETCH(QString, source);
    QFETCH(QStringList, expected);
    QStringList found;
    const auto findings =
            PortabilityScan::scanSource(source, QString(), {QStringLiteral("simpty.h")});
    for (const auto& f : findings)
        found << QStringLiteral("%1: %2").arg(f.line).arg(f.what);
    QCOMPARE(found, expected);
}

void TestPortability::unixOnlySources_data()
{
    QTest::addColumn<QString>("cmake");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("if(UNIX) block")
            << "add_library(a a.cpp b.cpp)\nif(UNIX)\n    set(X pty.h pty.cpp)\nendif()\n"
               "add_library(c c.cpp)\n"
            << QStringList{"pty.cpp", "pty.h"};
    QTest::newRow("else of WIN32")
            << "if(WIN32)\n  set(S win.cpp)\nelse()\n  set(S posix.cpp)\nendif()\n"
            << QStringList{"posix.cpp"};
    QTest::newRow("else of UNIX is not Unix")
            << "if(UNIX)\n  set(S posix.cpp)\nelse()\n  set(S other.cpp)\nendif()\n"
            << QStringList{"posix.cpp"};
    QTest::newRow("NOT WIN32, UNIX AND, nested")
            << "if(NOT WIN32)\n  set(A a.cpp)\nendif()\nif(UNIX AND NOT APPLE)\n"
               "  if(HX_X)\n    set(B b.cpp)\n  endif()\nendif()\nif(HX_Y)\n  set(C "
               "c.cpp)\nendif()\n"
            << QStringList{"a.cpp", "b.cpp"};
    QTest::newRow("comments name no files") << "if(UNIX) # see x.cpp\nendif()\n" << QStringList();
}

void TestPortability::unixOnlySources()
{
    QFETCH(QString, cmake);
    QFETCH(QStringList, expected);
    QStringList found = PortabilityScan::unixOnlySources(cmake).values();
    found.sort();
    QCOMPARE(found, expected);
}

void TestPortability::treeHasNoUnguardedPosixCode()
{
    PortabilityScan scan;
    scan.scanTree(QStringLiteral(HX_SOURCE_DIR));
    // A scan that read nothing proves nothing.
    QVERIFY2(scan.scannedFiles().size() > 100, qPrintable(scan.scannedFiles().join(' ')));
    QVERIFY(scan.scannedFiles().contains(QStringLiteral("tools/hxsim/simserver.cpp")));
    QStringList lines;
    const auto findings = scan.findings();
    for (const auto& f : findings)
        lines << f.toString();
    QVERIFY2(lines.isEmpty(), qPrintable("POSIX-only code outside Unix-only code:\n  " +
                                         lines.join(QStringLiteral("\n  "))));
}

void TestPortability::unixOnlyFilesAreCaught()
{
    // The virtual unit's pseudo-terminal layer is built only on Unix; scanned as if it were
    // built everywhere, it must show its POSIX calls.
    PortabilityScan scan;
    scan.scanTree(QStringLiteral(HX_SOURCE_DIR));
    const QString pty = QStringLiteral("tools/hxsim/ptytransport.cpp");
    QVERIFY2(scan.unixOnlyFiles().contains(pty), qPrintable(scan.unixOnlyFiles().join(' ')));
    QFile file(QStringLiteral(HX_SOURCE_DIR "/") + pty);
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QStringList what;
    const auto findings = PortabilityScan::scanSource(QString::fromUtf8(file.readAll()), pty);
    for (const auto& f : findings)
        what << f.what;
    QVERIFY(what.contains(QStringLiteral("POSIX header <termios.h>")));
    QVERIFY(what.contains(QStringLiteral("POSIX call posix_openpt()")));
    QVERIFY(what.contains(QStringLiteral("POSIX call ::close()")));
}

QTEST_GUILESS_MAIN(TestPortability)
#include "tst_portability.moc"
