#pragma once

#include <QString>

// Whole generated texts of the worked examples, shared by the UI tests and the end-to-end
// run: a command-button array of 3 objects, horizontal, width 70 plus spacer 5, at left 5
// and top 40.
inline QString standardArrayExample()
{
    return QStringLiteral(
        "Vc=0:Oc=75\r\n"
        "Dim Iar1,Abutt1(2),Abutt1val\r\n"
        "For Iar1= 0 to UBOUND(Abutt1)\r\n"
        "ADDOBJECT \"CommandButton\",\"Abutt1\" & Iar1,5+ ( Iar1 * Oc ),40+ ( Iar1 * Vc ),70,21\r\n"
        "EXECUTE(\"SET Abutt1(\" & Iar1 & \") = Abutt1\" & Iar1)\r\n"
        "EXECUTE(\"SUB Abutt1\"& Iar1 &\"_Click\" _\r\n"
        "& vbCrLf & \"Abutt1_Click(\"& Iar1 &\")\" _\r\n"
        "& vbCrLf &\"END SUB\")\r\n"
        "Abutt1( Iar1 ).BackColor = Output.BackColor\r\n"
        "Next\r\n"
        " Rem Your Customized Properties here [example] Abutt1(1).FontBold = 1\r\n"
        "SUB Abutt1_Click(num)\r\n"
        "Select case num\r\n"
        " Rem Case .....\r\n"
        " Rem Your code here \r\n"
        "End Select\r\n"
        "End Sub");
}
