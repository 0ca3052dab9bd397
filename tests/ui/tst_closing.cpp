#include "Button.h"
#include "Fonts.h"
#include "Form1.h"
#include "Form2.h"

#include <QApplication>
#include <QProcess>
#include <QTest>

#include <cstdio>

using namespace Qt::StringLiterals;

// Each scenario runs in a child process, since ending the program ends the process.
namespace {
void say(const char *line)
{
    std::puts(line);
    std::fflush(stdout);
}

int runScenario(const QString &scenario)
{
    auto *form = new Form1;
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->show();
    if (!QTest::qWaitForWindowExposed(form))
        return 4;
    if (scenario == u"during-run") {
        form->Combo1->setText(u"200"_s);
        form->commando1_Click();
        form->commando4_Click();
        form->Timer2_Timer();
    }
    form->close();
    QApplication::processEvents(); // lets the closed window go
    if (Form2::exists() && Form2::shared()->isVisible())
        say("dialog shown");
    Form2 *dialog = Form2::shared();
    if (scenario == u"ok" || scenario == u"during-run")
        QTest::mouseClick(dialog->commando1, Qt::LeftButton);
    else if (scenario == u"close-box")
        dialog->close();
    else if (scenario == u"destroyed")
        delete dialog;
    say("still running");
    return 3;
}
} // namespace

class tst_Closing : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dialogEndsTheProgram_data();
    void dialogEndsTheProgram();
    void programKeepsRunningUntilClosed();
};

void tst_Closing::dialogEndsTheProgram_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::newRow("OK button") << u"ok"_s;
    QTest::newRow("close box of the dialog") << u"close-box"_s;
    QTest::newRow("dialog destroyed") << u"destroyed"_s;
    QTest::newRow("closed during a run and a reveal") << u"during-run"_s;
}

void tst_Closing::dialogEndsTheProgram()
{
    QFETCH(QString, scenario);
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {u"--scenario="_s + scenario});
    QVERIFY(child.waitForFinished(20000));
    const QByteArray output = child.readAllStandardOutput();
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QVERIFY2(output.contains("dialog shown"), output.constData());
    QVERIFY2(!output.contains("still running"), output.constData());
    QCOMPARE(child.exitCode(), 0);
}

void tst_Closing::programKeepsRunningUntilClosed()
{
    QProcess program;
    program.start(QStringLiteral(KUGELFIX_EXECUTABLE), {});
    QVERIFY(program.waitForStarted());
    QVERIFY(!program.waitForFinished(1500));
    program.kill();
    QVERIFY(program.waitForFinished());
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    Fonts::registerSubstitutions();
    const QString first = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (first.startsWith(u"--scenario="))
        return runScenario(first.mid(11));
    tst_Closing test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_closing.moc"
