#include "Button.h"
#include "ColourLabel.h"
#include "Fonts.h"
#include "Form2.h"
#include "Twips.h"

#include <QFontMetrics>
#include <QTest>

using namespace Qt::StringLiterals;

// The dialog is never destroyed here: that would end the test process.
class tst_Form2 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { Fonts::registerSubstitutions(); }
    void dialogHasItsDesignValues();
    void textWrapsAboveTheButton();
    void showingAgainKeepsTheOneDialog();
};

void tst_Form2::dialogHasItsDesignValues()
{
    Form2 *dialog = Form2::shared();
    QCOMPARE(dialog->windowTitle(), u"Beenden"_s);
    QCOMPARE(dialog->size(), Twips::rect(0, 0, 8910, 2595).size());
    QCOMPARE(dialog->BackColor(), oleColor(0x00FFFFC0));
    QCOMPARE(dialog->windowIcon().availableSizes(),
             QList<QSize>({QSize(64, 64), QSize(48, 48), QSize(32, 32)}));

    const ColourLabel *text = dialog->Label1;
    QCOMPARE(text->geometry(), Twips::rect(45, 270, 8790, 1635));
    const QString note =
        u"Sollten Sie mit diesem Programm den Großen Gewinn machen, dann senden Sie "
        u"an den Programierer doch eine Kleinigkeit als Dank. Kontakt über "_s;
    QVERIFY2(text->Caption().startsWith(note), qPrintable(text->Caption()));
    const QString address = text->Caption().mid(note.size());
    QVERIFY2(address.contains(u'@') && !address.contains(u' '), qPrintable(address));
    QCOMPARE(text->font().family(), u"Arial"_s);
    QCOMPARE(text->font().pointSizeF(), 14.25);
    QVERIFY(!text->font().bold());
    QVERIFY(text->isTransparent());
    QVERIFY(text->wordWrap());
    QCOMPARE(text->ForeColor(), Colours::SystemButtonText);

    const Button *ok = dialog->commando1;
    QCOMPARE(ok->geometry(), Twips::rect(3510, 1530, 1725, 690));
    QCOMPARE(ok->Caption(), u"OK"_s);
    QCOMPARE(ok->Buttonset(), u"0"_s);
    QCOMPARE(ok->Font().family(), u"MS Sans Serif"_s);
    QCOMPARE(ok->Font().pointSizeF(), 13.5);
    QVERIFY(!ok->Font().bold());
    // Skin set "0" keeps both initial faces.
    QCOMPARE(*ok->image1().picture(), QImage(u":/button/skins/initial.bmp"_s));
    QCOMPARE(*ok->image2().picture(), QImage(u":/button/skins/initial-pressed.gif"_s));
}

void tst_Form2::textWrapsAboveTheButton()
{
    Form2 *dialog = Form2::shared();
    const ColourLabel *text = dialog->Label1;
    const QRect wrapped = QFontMetrics(text->font())
                              .boundingRect(QRect(0, 0, text->width(), 10000),
                                            Qt::AlignHCenter | Qt::TextWordWrap, text->Caption());
    QVERIFY2(wrapped.height() > 2 * QFontMetrics(text->font()).height(), "text is not wrapped");
    QVERIFY(wrapped.width() <= text->width());
    QVERIFY(text->y() + wrapped.height() <= dialog->commando1->y());
    // Slightly left of the centre line.
    const int buttonCentre = dialog->commando1->geometry().center().x();
    QVERIFY(buttonCentre < dialog->width() / 2);
    QVERIFY(buttonCentre > dialog->width() / 2 - 15);
}

void tst_Form2::showingAgainKeepsTheOneDialog()
{
    Form2 *dialog = Form2::shared();
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    const QPoint placed = dialog->pos();
    Form2::shared()->show();
    QCOMPARE(Form2::shared(), dialog);
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->pos(), placed);
    QCOMPARE(QApplication::topLevelWidgets().count(dialog), 1);
}

QTEST_MAIN(tst_Form2)
#include "tst_form2.moc"
