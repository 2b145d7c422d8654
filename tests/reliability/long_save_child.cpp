// A label editor in a process of its own that adds many labels to figure K
// and saves them: the killed-save test ends it with SIGKILL mid-save.
//   reliability_long_save_child <install root> <labels>
#include "app/mQuillar.h"
#include "tests/support/TestInstallRoot.h"
#include "ui/labels/fPicLbl.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 3)
        return 2;
    TestInstallRoot::pointSettingsAt(QString::fromLocal8Bit(argv[1]));
    gFigNo = QStringLiteral("K");
    fPicLbl editor;
    editor.Form_Load();
    const int labels = std::atoi(argv[2]);
    for (int i = 0; i < labels; ++i) {
        editor.Command1_Click();
        editor.findChild<QLineEdit *>(QStringLiteral("tTxtBx1"))->setText(QString::number(i));
        editor.findChild<QLineEdit *>(QStringLiteral("tTxtBx2"))->setText(QString::number(i));
        editor.findChild<QPlainTextEdit *>(QStringLiteral("tTxtBx3"))->setPlainText(QStringLiteral("标签\n%1").arg(i));
        editor.Command1_Click();
    }
    std::puts("saving");
    std::fflush(stdout);
    editor.cmdSave_Click();
    std::puts("saved");
    return 0;
}
