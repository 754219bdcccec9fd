// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// The real program, started as a reader starts it.
class TstArranque : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void ayudaSinPantalla_data();
    void ayudaSinPantalla();
    void ajustesNoEscribibles();

private:
    QTemporaryDir m_dir;
    const QString m_programa = QStringLiteral(BOLETIN_BUILD_DIR "/app/boletin");
};

void TstArranque::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QFile::exists(m_programa));
    QDir(m_dir.path()).mkpath(u"disco/Imagenes"_s);
    QFile marcador(m_dir.filePath(u"disco/Imagenes/Tirvosk.dat"_s));
    QVERIFY(marcador.open(QIODevice::WriteOnly));
}

// Options that only print: answered without a display, and before any other.
void TstArranque::ayudaSinPantalla_data()
{
    QTest::addColumn<QStringList>("argumentos");
    QTest::addColumn<QString>("primeraLinea");
    QTest::addColumn<QStringList>("contiene");
    const QStringList ayuda{u"--unidad <carpeta>"_s, u"Carpeta donde buscar el disco"_s,
                            u"--version"_s, u"-h, --help, --ayuda"_s};
    const QString uso = u"Uso: "_s + m_programa + u" [opciones]"_s;
    QTest::newRow("--help") << QStringList{u"--help"_s} << uso << ayuda;
    QTest::newRow("--ayuda") << QStringList{u"--unidad"_s, u"/x"_s, u"--ayuda"_s} << uso << ayuda;
    const QString version = u"boletin "_s + QStringLiteral(BOLETIN_VERSION);
    const QStringList licencia{u"GPLv3+"_s};
    QTest::newRow("--version") << QStringList{u"--version"_s} << version << licencia;
    QTest::newRow("--version con --unidad")
        << QStringList{u"--unidad"_s, u"/x"_s, u"--version"_s} << version << licencia;
}

void TstArranque::ayudaSinPantalla()
{
    QFETCH(QStringList, argumentos);
    QFETCH(QString, primeraLinea);
    QFETCH(QStringList, contiene);
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(u"DISPLAY"_s);
    env.remove(u"WAYLAND_DISPLAY"_s);
    env.remove(u"QT_QPA_PLATFORM"_s);
    p.setProcessEnvironment(env);
    p.start(m_programa, argumentos);
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
    const QString salida = QString::fromUtf8(p.readAllStandardOutput());
    QCOMPARE(salida.section(u'\n', 0, 0), primeraLinea);
    for (const QString &texto : contiene)
        QVERIFY2(salida.contains(texto), qPrintable(salida));
}

// A settings folder that cannot be made: the writes fail unnoticed and the
// program goes on to its main window.
void TstArranque::ajustesNoEscribibles()
{
    const QString estorbo = m_dir.filePath(u"no-es-carpeta"_s);
    QFile f(estorbo);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    env.insert(u"XDG_CONFIG_HOME"_s, estorbo + u"/config"_s);
    p.setProcessEnvironment(env);
    p.start(m_programa, {u"--unidad"_s, m_dir.filePath(u"disco"_s)});
    QVERIFY(p.waitForStarted());
    QVERIFY(!p.waitForFinished(1500)); // still running: the main window is up
    QCOMPARE(p.state(), QProcess::Running);
    p.kill();
    p.waitForFinished();
    QVERIFY(QFileInfo(estorbo).isFile());
}

QTEST_GUILESS_MAIN(TstArranque)
#include "tst_arranque.moc"
