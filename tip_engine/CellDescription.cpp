#include "CellDescription.h"

#include "TipEngine.h"

using namespace Qt::StringLiterals;

AccessibleSpeech describeBoardCell(int number, OleColor colour)
{
    QString state;
    if (colour == BoardColours::Neutral)
        state = u"nicht markiert"_s;
    else if (colour == BoardColours::Green)
        state = u"markiert"_s;
    else if (colour == BoardColours::Red)
        state = u"Treffer"_s;
    else if (colour == BoardColours::Black)
        state = u"nicht gezogen"_s;
    else if (colour > 0 && colour % BoardColours::CountStep == 0)
        state = colour == BoardColours::CountStep
                    ? u"einmal gezogen"_s
                    : u"%1-mal gezogen"_s.arg(colour / BoardColours::CountStep);
    else
        state = u"unbekannter Zustand"_s;
    return {u"Zahl %1"_s.arg(number), state, colour == BoardColours::Green};
}

QString describeResultCell(int index, const QString &caption)
{
    return u"Ergebnis %1: %2"_s.arg(index + 1).arg(caption.isEmpty() ? u"leer"_s : caption);
}
