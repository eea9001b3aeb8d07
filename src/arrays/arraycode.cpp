#include "arraycode.h"

#include <QStringList>

namespace ArrayCode {

namespace {

const QString lineEnd = QStringLiteral("\r\n");

// The commented example and the skeleton of the shared click routine that close both
// layouts' code.
QStringList sharedRoutine(const QString &a)
{
    return {
        QStringLiteral(" Rem Your Customized Properties here [example] %1(1).FontBold = 1").arg(a),
        QStringLiteral("SUB %1_Click(num)").arg(a),
        QStringLiteral("Select case num"),
        QStringLiteral(" Rem Case ....."),
        QStringLiteral(" Rem Your code here "),
        QStringLiteral("End Select"),
        QStringLiteral("End Sub"),
    };
}

QString backColor(const QString &arrayName)
{
    return ArraySetup::hasFormBackground(arrayName)
               ? QStringLiteral(" ).BackColor = Output.BackColor")
               : QStringLiteral(" ).BackColor = vbWhite  'Output.BackColor");
}

} // namespace

Result<> checkStandard(const ArraySettings &s)
{
    if (s.ArrayName.isEmpty())
        return Result<>::failure(kindNotSelected);
    if (s.VertStep.isZero() && s.HorzStep.isZero())
        return Result<>::failure(layoutNotSelected);
    return {};
}

QString standardCode(const ArraySettings &s, int count)
{
    const QString &a = s.ArrayName;
    const QString &i = s.LoopVarName;
    const QString upperIndex = QString::number(count - 1);

    QStringList lines = {
        QStringLiteral("Vc=%1:Oc=%2").arg(s.VertStep.toText(), s.HorzStep.toText()),
        QStringLiteral("Dim %1,%2(%3),%2val").arg(i, a, upperIndex),
        QStringLiteral("For %1= 0 to UBOUND(%2)").arg(i, a),
        QStringLiteral("ADDOBJECT \"%1\",\"%2\" & %3,%4+ ( %3 * Oc ),%5+ ( %3 * Vc ),%6,%7")
            .arg(s.ObjectClass, a, i, s.LeftBase.toText(), s.TopBase.toText(), s.ObjWidth.toText(),
                 s.ObjHeight.toText()),
        QStringLiteral("EXECUTE(\"SET %1(\" & %2 & \") = %1\" & %2)").arg(a, i),
        QStringLiteral("EXECUTE(\"SUB %1\"& %2 &\"_Click\" _").arg(a, i),
        QStringLiteral("& vbCrLf & \"%1_Click(\"& %2 &\")\" _").arg(a, i),
        QStringLiteral("& vbCrLf &\"END SUB\")"),
        a % QStringLiteral("( ") % i % backColor(a),
        QStringLiteral("Next"),
    };
    lines += sharedRoutine(a);
    return lines.join(lineEnd);
}

Result<> checkCustomized(const ArraySettings &s)
{
    if (s.ArrayName.isEmpty())
        return Result<>::failure(kindNotSelected);
    return {};
}

QString customizedCode(const ArraySettings &s)
{
    const QString &a = s.ArrayName;

    QStringList lines = {
        QStringLiteral("Dim %1(%2)").arg(a, QString::number(s.PosCount)),
        QStringLiteral("Dim ObjPos,PosObj,xar,par,zar,Iar,yar"),
        QStringLiteral("Dim Lar,Tar,War,Har"),
        QStringLiteral("Yar=0"),
        QStringLiteral("ObjPos = \"") % s.PosString % QLatin1Char('"'),
        QStringLiteral("Iar=0"),
        QStringLiteral("Do While Len(ObjPos)"),
        QStringLiteral("zar=Instr(ObjPos + \"|\",\"|\")"),
        QStringLiteral("PosObj=Left(ObjPos,zar-1)"),
        QStringLiteral("xar=0"),
        QStringLiteral("Do While Len(PosObj)"),
        QStringLiteral("par=Instr(PosObj + \",\",\",\")"),
        QStringLiteral("If xar=0 Then Tar=Left(PosObj,par-1)"),
        QStringLiteral("If xar=1 Then Lar=Left(PosObj,par-1)"),
        QStringLiteral("If xar=2 Then War=Left(PosObj,par-1)"),
        QStringLiteral("If xar=3 Then Har=Left(PosObj,par-1)"),
        QStringLiteral("PosObj=Mid(PosObj,par+1):xar=xar+1"),
        QStringLiteral("Loop"),
        QStringLiteral("ADDOBJECT \"%1\",\"%2\" & Iar ,Lar,Tar,War,Har").arg(s.ObjectClass, a),
        QStringLiteral("EXECUTE(\"SET %1(\" & Iar & \") = %1\" & Iar)").arg(a),
        QStringLiteral("EXECUTE(\"SUB %1\"& Iar &\"_Click\" _").arg(a),
        QStringLiteral("& vbCrLf & \"%1_Click(\"& Iar &\")\" _").arg(a),
        QStringLiteral("& vbCrLf & \"END SUB\")"),
        a % QStringLiteral("( Iar") % backColor(a),
        QStringLiteral("ObjPos=Mid(ObjPos,zar+1):Iar=Iar+1"),
        QStringLiteral("Loop"),
    };
    lines += sharedRoutine(a);
    return lines.join(lineEnd);
}

} // namespace ArrayCode
