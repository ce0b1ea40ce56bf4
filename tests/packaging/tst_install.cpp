// The program installed like real software: installed under a prefix with `cmake --install`,
// and unpacked from the Debian package that `make package` builds, then started from another
// folder against the virtual unit of the same installation. Each must find its data and
// libraries in its own tree, keep its log where a user looks for it, and show the same
// connected window as the build tree does.

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const int CommandTimeoutMs = 180000;

QString exe(const QString& name)
{
#ifdef Q_OS_WIN
    return name + QStringLiteral(".exe");
#else
    return name;
#endif
}

QString readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    return QString::fromLocal8Bit(file.readAll());
}

// Share of pixels that differ by no more than a few levels per channel, inside `area`.
double sameShare(const QImage& a, const QImage& b, QRect area)
{
    area &= a.rect();
    if (a.size() != b.size() || area.isEmpty())
        return 0;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    qint64 same = 0;
    for (int row = area.top(); row <= area.bottom(); ++row) {
        const QRgb* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const QRgb* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = area.left(); col <= area.right(); ++col) {
            if (qAbs(qRed(p[col]) - qRed(q[col])) <= 8 &&
                qAbs(qGreen(p[col]) - qGreen(q[col])) <= 8 &&
                qAbs(qBlue(p[col]) - qBlue(q[col])) <= 8)
                ++same;
        }
    }
    return double(same) / (qint64(area.width()) * area.height());
}

// An installed tree: its prefix and the folders under it.
struct Tree
{
    QString prefix;
    QString path(const char* subdir) const { return prefix + QLatin1Char('/') + subdir; }
    QString bin() const { return path(HX_INSTALL_BINDIR); }
    QString lib() const { return path(HX_INSTALL_LIBDIR); }
    QString data() const { return path(HX_INSTALL_DATADIR); }
};

struct Outcome
{
    int exitCode = -1;
    QString output;
    QString screenshot;
};

} // namespace

class TestInstall : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void layout_data();
    void layout();
    void dataIsComplete_data();
    void dataIsComplete();
    void librariesComeFromTheTree_data();
    void librariesComeFromTheTree();
    void startsFromAnotherFolder_data();
    void startsFromAnotherFolder();
    void desktopEntry_data();
    void desktopEntry();
    void packageNamesItsDependencies();

private:
    bool command(const QString& program, const QStringList& arguments, QString* output = nullptr,
                 const QString& workingDir = QString());
    Outcome runProgram(const QString& programDir, const QString& launchDir, const QString& name);
    QString treeOf(const QString& name) const;
    void addTreeRows();

    QTemporaryDir m_tmp;
    Tree m_prefix;
    Tree m_package; // under m_packageRoot, prefix /usr
    QString m_packageRoot;
    QString m_packageFile;
    QString m_packageProblem; // why there is no package tree on this system
    QImage m_reference;
};

bool TestInstall::command(const QString& program, const QStringList& arguments, QString* output,
                          const QString& workingDir)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (!workingDir.isEmpty())
        process.setWorkingDirectory(workingDir);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(CommandTimeoutMs);
    const QString text = QString::fromLocal8Bit(process.readAll());
    if (output)
        *output = text;
    if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        qWarning("%s %s failed (%s):\n%s", qPrintable(program), qPrintable(arguments.join(' ')),
                 finished ? qPrintable(QString::number(process.exitCode())) : "timed out",
                 qPrintable(text.right(3000)));
        if (!finished) {
            process.kill();
            process.waitForFinished();
        }
        return false;
    }
    return true;
}

Outcome TestInstall::runProgram(const QString& programDir, const QString& launchDir,
                                const QString& name)
{
    Outcome outcome;
    const QString home = m_tmp.filePath(name + QStringLiteral("-home"));
    const QString link = m_tmp.filePath(name + QStringLiteral("-unit"));
    QDir().mkpath(home);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // Only the tree's own libraries: nothing may come from the build through the environment.
    env.remove(QStringLiteral("LD_LIBRARY_PATH"));
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));

    QProcess sim;
    sim.setProcessEnvironment(env);
    sim.setWorkingDirectory(launchDir);
    sim.start(programDir + QLatin1Char('/') + exe(QStringLiteral("hxsim")),
              {QStringLiteral("--link"), link});
    // Its first line names the port.
    QByteArray simOut;
    QElapsedTimer clock;
    clock.start();
    while (!simOut.contains('\n') && clock.elapsed() < 20000 &&
           sim.state() != QProcess::NotRunning) {
        sim.waitForReadyRead(200);
        simOut += sim.readAllStandardOutput();
    }
    if (!simOut.startsWith("HXSIM_PORT=")) {
        outcome.output = QStringLiteral("the virtual unit did not start: ") +
                         QString::fromLocal8Bit(simOut + sim.readAllStandardError());
        sim.kill();
        sim.waitForFinished();
        return outcome;
    }

    QProcess program;
    env.insert(QStringLiteral("HX_SERIAL_PORT"), link);
    // Relative: the picture belongs in the folder the program was started from.
    env.insert(QStringLiteral("HX_SCREENSHOT"), QStringLiteral("screenshot.png"));
    env.insert(QStringLiteral("HX_SCREENSHOT_TIMEOUT_MS"), QStringLiteral("60000"));
    program.setProcessEnvironment(env);
    program.setWorkingDirectory(launchDir);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(programDir + QLatin1Char('/') + exe(QStringLiteral("hxmain")), QStringList());
    if (!program.waitForFinished(90000)) {
        program.kill();
        program.waitForFinished();
    } else if (program.exitStatus() == QProcess::NormalExit) {
        outcome.exitCode = program.exitCode();
    }
    outcome.output = QString::fromLocal8Bit(program.readAll());
    outcome.screenshot = QDir(launchDir).filePath(QStringLiteral("screenshot.png"));

    sim.terminate();
    if (!sim.waitForFinished(5000)) {
        sim.kill();
        sim.waitForFinished();
    }
    return outcome;
}

void TestInstall::initTestCase()
{
    QVERIFY(m_tmp.isValid());

    // The build tree as `make run` starts it: the picture the installed trees must match.
    const Outcome reference =
            runProgram(QStringLiteral(HX_BIN_DIR), QStringLiteral(HX_BIN_DIR), "reference");
    QFile::rename(reference.screenshot, m_tmp.filePath("reference.png"));
    QVERIFY2(reference.exitCode == 0, qPrintable(reference.output));
    m_reference.load(m_tmp.filePath("reference.png"));
    QVERIFY(!m_reference.isNull());

    m_prefix.prefix = m_tmp.filePath(QStringLiteral("prefix"));
    QVERIFY(command(QStringLiteral(HX_CMAKE),
                    {"--install", HX_BUILD_DIR, "--prefix", m_prefix.prefix}));

#ifdef Q_OS_LINUX
    const QString dpkgDeb = QStandardPaths::findExecutable(QStringLiteral("dpkg-deb"));
    if (dpkgDeb.isEmpty()) {
        m_packageProblem = QStringLiteral("dpkg-deb is not installed");
        return;
    }
    const QString out = m_tmp.filePath(QStringLiteral("package"));
    QString log;
    QVERIFY(command(QStringLiteral(HX_CPACK),
                    {"-G", "DEB", "--config", HX_BUILD_DIR "/CPackConfig.cmake", "-B", out}, &log));
    const QStringList debs = QDir(out).entryList({QStringLiteral("*.deb")}, QDir::Files);
    QVERIFY2(debs.size() == 1, qPrintable(log));
    m_packageFile = QDir(out).filePath(debs.first());
    m_packageRoot = m_tmp.filePath(QStringLiteral("root"));
    QVERIFY(command(dpkgDeb, {"-x", m_packageFile, m_packageRoot}));
    m_package.prefix = m_packageRoot + QStringLiteral("/usr");
#else
    m_packageProblem = QStringLiteral("Debian packages are built on Linux only");
#endif
}

QString TestInstall::treeOf(const QString& name) const
{
    return name == QLatin1String("package") ? m_package.prefix : m_prefix.prefix;
}

void TestInstall::addTreeRows()
{
    QTest::addColumn<QString>("tree");
}

void TestInstall::layout_data()
{
    addTreeRows();
    QTest::addColumn<QString>("file");
    QStringList files{QStringLiteral(HX_INSTALL_BINDIR "/") + exe("hxmain"),
                      QStringLiteral(HX_INSTALL_BINDIR "/") + exe("hxsim"),
                      QStringLiteral(HX_INSTALL_DATADIR "/docs/en/strings.xml"),
                      QStringLiteral(HX_INSTALL_DATADIR "/docs/en/rx.htm"),
                      QStringLiteral(HX_INSTALL_DATADIR "/charts/chart.html"),
                      QStringLiteral(HX_INSTALL_DATADIR "/images/background.png")};
    for (const char* lib :
         {"hxio", "hxadaptorviews", "hxserial", "hxcustomwidgets", "hxcustomframe"}) {
#ifdef Q_OS_WIN
        files << QStringLiteral(HX_INSTALL_LIBDIR "/%1.dll").arg(QLatin1String(lib));
#else
        files << QStringLiteral(HX_INSTALL_LIBDIR "/lib%1.so").arg(QLatin1String(lib));
#endif
    }
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    files << QStringLiteral("share/applications/" HX_PROJECT_NAME ".desktop")
          << QStringLiteral("share/icons/hicolor/scalable/apps/" HX_PROJECT_NAME ".svg")
          << QStringLiteral("share/icons/hicolor/48x48/apps/" HX_PROJECT_NAME ".png");
#endif
    for (const char* tree : {"prefix", "package"})
        for (const QString& file : qAsConst(files))
            QTest::addRow("%s: %s", tree, qPrintable(file)) << tree << file;
}

void TestInstall::layout()
{
    QFETCH(QString, tree);
    QFETCH(QString, file);
    if (tree == QLatin1String("package") && m_package.prefix.isEmpty())
        QSKIP(qPrintable(m_packageProblem));
    QVERIFY2(QFileInfo(treeOf(tree) + QLatin1Char('/') + file).isFile(), qPrintable(file));
    // Nothing of the build but the two programs belongs in the programs' folder (on Windows
    // the whole installation is one folder, so there is nothing to say).
    if (QStringLiteral(HX_INSTALL_BINDIR) != QStringLiteral(HX_INSTALL_LIBDIR)) {
        QStringList programs = QDir(Tree{treeOf(tree)}.bin()).entryList(QDir::Files);
        programs.sort();
        QCOMPARE(programs, QStringList({exe("hxmain"), exe("hxsim")}));
    }
}

void TestInstall::dataIsComplete_data()
{
    addTreeRows();
    QTest::newRow("prefix") << "prefix";
    QTest::newRow("package") << "package";
}

void TestInstall::dataIsComplete()
{
    QFETCH(QString, tree);
    if (tree == QLatin1String("package") && m_package.prefix.isEmpty())
        QSKIP(qPrintable(m_packageProblem));
    // Every picture, page and table the build tree runs with, in the installed data folder.
    const QDir built(QStringLiteral(HX_BIN_DIR));
    const QDir installed(Tree{treeOf(tree)}.data());
    int count = 0;
    for (const char* folder : {"images", "docs", "charts"}) {
        QDirIterator it(built.filePath(QLatin1String(folder)), QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            const QString relative = built.relativeFilePath(path);
            const QFileInfo copy(installed.filePath(relative));
            QVERIFY2(copy.isFile(), qPrintable(relative + " is not installed"));
            QCOMPARE(copy.size(), QFileInfo(path).size());
            ++count;
        }
    }
    QVERIFY(count > 50);
}

void TestInstall::librariesComeFromTheTree_data()
{
    dataIsComplete_data();
}

void TestInstall::librariesComeFromTheTree()
{
    QFETCH(QString, tree);
#ifndef Q_OS_LINUX
    QSKIP("ldd is a Linux tool");
#endif
    if (tree == QLatin1String("package") && m_package.prefix.isEmpty())
        QSKIP(qPrintable(m_packageProblem));
    const Tree t{treeOf(tree)};
    for (const char* program : {"hxmain", "hxsim"}) {
        QProcess ldd;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("LD_LIBRARY_PATH"));
        ldd.setProcessEnvironment(env);
        ldd.start(QStringLiteral("ldd"), {t.bin() + QLatin1Char('/') + QLatin1String(program)});
        QVERIFY(ldd.waitForFinished(30000));
        const QString text = QString::fromLocal8Bit(ldd.readAllStandardOutput());
        static const QRegularExpression own("(libhx\\w+\\.so)\\s*=>\\s*(\\S+)");
        auto it = own.globalMatch(text);
        int found = 0;
        while (it.hasNext()) {
            const auto m = it.next();
            const QString resolved = QFileInfo(m.captured(2)).canonicalFilePath();
            QVERIFY2(
                    resolved == QFileInfo(t.lib() + QLatin1Char('/') + m.captured(1))
                                        .canonicalFilePath(),
                    qPrintable(QStringLiteral("%1: %2 => %3")
                                       .arg(QLatin1String(program), m.captured(1), m.captured(2))));
            ++found;
        }
        QVERIFY2(found > 0, qPrintable(text));
    }
}

void TestInstall::startsFromAnotherFolder_data()
{
    addTreeRows();
    QTest::addColumn<bool>("logWritable"); // can "log" be written in the launch folder?
    QTest::newRow("prefix, log in the launch folder") << "prefix" << true;
    // A folder named "log" stands in for a launch folder that cannot be written (even
    // for root, who may write anywhere).
    QTest::newRow("package, launch folder not writable") << "package" << false;
}

void TestInstall::startsFromAnotherFolder()
{
    QFETCH(QString, tree);
    QFETCH(bool, logWritable);
    if (tree == QLatin1String("package") && m_package.prefix.isEmpty())
        QSKIP(qPrintable(m_packageProblem));
    const Tree t{treeOf(tree)};
    const QString launchDir = m_tmp.filePath(tree + QStringLiteral("-elsewhere"));
    QVERIFY(QDir().mkpath(launchDir));
    if (!logWritable)
        QVERIFY(QDir(launchDir).mkdir(QStringLiteral("log")));

    const Outcome outcome = runProgram(t.bin(), launchDir, tree);
    QVERIFY2(outcome.exitCode == 0, qPrintable(outcome.output));

    // The log: in the launch folder, or in the per-user data folder when that fails.
    const QString userLog = m_tmp.filePath(tree + QStringLiteral("-home/data/hxmain/log"));
    const QString log = logWritable ? QDir(launchDir).filePath(QStringLiteral("log")) : userLog;
    const QString text = readAll(log);
    QVERIFY2(text.contains(QStringLiteral("Debug: Program data from ") +
                           QDir::toNativeSeparators(QDir(t.data()).canonicalPath())),
             qPrintable(log + QStringLiteral(":\n") + text.left(2000)));
    if (logWritable)
        QVERIFY(!QFile::exists(userLog));

    // The window is the one the build tree shows: pictures, help text and live values.
    // Live values move, so most of the window and all of its fixed bars must agree.
    QImage shot(outcome.screenshot);
    QVERIFY2(!shot.isNull(), qPrintable(outcome.screenshot));
    QCOMPARE(shot.size(), m_reference.size());
    const int w = shot.width();
    const int h = shot.height();
    const double whole = sameShare(shot, m_reference, shot.rect());
    const double titleAndTabs = sameShare(shot, m_reference, QRect(0, 0, w, h / 8));
    const double statusBar = sameShare(shot, m_reference, QRect(0, h - h / 10, w, h / 10));
    const double helpPane = sameShare(shot, m_reference, QRect(0, h / 8, w / 2, h / 2));
    qInfo("same as the build tree: whole %.3f, title and tabs %.3f, status bar %.3f, help %.3f",
          whole, titleAndTabs, statusBar, helpPane);
    QVERIFY(whole > 0.9);
    QVERIFY(titleAndTabs > 0.98);
    QVERIFY(statusBar > 0.98);
    QVERIFY(helpPane > 0.98);
}

void TestInstall::desktopEntry_data()
{
    addTreeRows();
    QTest::addColumn<QString>("program"); // what Exec must name
    QTest::newRow("prefix") << "prefix" << QStringLiteral("%1/bin/hxmain").arg(m_prefix.prefix);
    QTest::newRow("package") << "package"
                             << "/usr/bin/hxmain";
}

void TestInstall::desktopEntry()
{
    QFETCH(QString, tree);
    QFETCH(QString, program);
#if !defined(Q_OS_UNIX) || defined(Q_OS_MACOS)
    QSKIP("desktop menu entries are a freedesktop.org matter");
#endif
    if (tree == QLatin1String("package") && m_package.prefix.isEmpty())
        QSKIP(qPrintable(m_packageProblem));
    const Tree t{treeOf(tree)};
    const QString path = t.path("share/applications/" HX_PROJECT_NAME ".desktop");
    const QString text = readAll(path);
    QVERIFY2(!text.isEmpty(), qPrintable(path));
    QHash<QString, QString> keys;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq > 0)
            keys.insert(line.left(eq), line.mid(eq + 1));
    }
    QVERIFY(text.startsWith(QLatin1String("[Desktop Entry]\n")));
    QCOMPARE(keys.value("Type"), QStringLiteral("Application"));
    QVERIFY(!keys.value("Name").isEmpty());
    QVERIFY(keys.value("Categories").endsWith(QLatin1Char(';')));
    QCOMPARE(keys.value("Exec"), program);
    // The program named is the tree's own (the package's paths are under its root).
    const QString onDisk = tree == QLatin1String("package") ? m_packageRoot + program : program;
    QVERIFY2(QFileInfo(onDisk).isExecutable(), qPrintable(onDisk));

    const QString icon = keys.value("Icon");
    QCOMPARE(icon, QStringLiteral(HX_PROJECT_NAME));
    for (const int side : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString png = t.path("share/icons/hicolor") +
                            QStringLiteral("/%1x%1/apps/%2.png").arg(side).arg(icon);
        const QImage image(png);
        QVERIFY2(!image.isNull(), qPrintable(png));
        QCOMPARE(image.size(), QSize(side, side));
    }
}

void TestInstall::packageNamesItsDependencies()
{
    if (m_package.prefix.isEmpty())
        QSKIP(qPrintable(m_packageProblem));
    QString depends;
    QVERIFY(command(QStringLiteral("dpkg-deb"), {"-f", m_packageFile, "Depends"}, &depends));
    // What the program needs from the system, found by the library scan...
    for (const char* package :
         {"libqt5webkit5", "libqt5serialport5", "libqt5widgets5", "libqt5network5", "libc6"})
        QVERIFY2(depends.contains(QLatin1String(package)), qPrintable(package + (": " + depends)));
    // ...and nothing for the libraries it brings along.
    QVERIFY2(!depends.contains(QLatin1String("hx")), qPrintable(depends));
}

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
