// Renders the real windows offscreen to PNG for the README.
//   kugelfix_screenshots <output folder> [scale factor]
#include "Fonts.h"
#include "Form1.h"
#include "Form2.h"

#include <QApplication>
#include <QDir>
#include <QTest>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {
bool save(QWidget &window, const QDir &out, const QString &name, const QString &suffix)
{
    const QString path = out.filePath(name + suffix + u".png"_s);
    if (!window.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}
} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <output folder> [scale factor]\n", argv[0]);
        return 2;
    }
    const QByteArray scale = argc > 2 ? QByteArray(argv[2]) : QByteArray("1");
    qputenv("QT_SCALE_FACTOR", scale);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Fonts::registerSubstitutions();
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const QString suffix = scale == "1" ? QString() : u"@"_s + QString::fromLatin1(scale) + u"x"_s;

    Form1 form;
    // A fixed clock gives the same tips on every run.
    quint64 clock = 6049;
    form.tipEngine().random().setClock([&clock] { return clock += 104729; });
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    bool ok = save(form, out, u"main"_s, suffix);

    form.commando1_Click();
    while (form.Timer1->Enabled())
        form.Timer1_Timer();
    ok = save(form, out, u"after-tip"_s, suffix) && ok;

    form.Combo1->setText(u"200"_s);
    form.commando3_Click();
    while (form.Timer1->Enabled())
        form.Timer1_Timer();
    ok = save(form, out, u"after-analysis"_s, suffix) && ok;

    form.Combo1->setText(u"10"_s);
    form.commando1_Click();
    while (form.Timer1->Enabled())
        form.Timer1_Timer();
    for (int n : {3, 19, 27})
        form.Label3_Click(qint16(n));
    form.commando4_Click();
    for (int tick = 0; tick < 4; ++tick)
        form.Timer2_Timer();
    ok = save(form, out, u"during-draw"_s, suffix) && ok;

    Form2 *dialog = Form2::shared();
    dialog->show();
    if (!QTest::qWaitForWindowExposed(dialog))
        return 1;
    ok = save(*dialog, out, u"info-dialog"_s, suffix) && ok;
    return ok ? 0 : 1;
}
