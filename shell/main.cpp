#include <QApplication>

#include "main_window.h"
#include "qt_dialogs.h"
#include "ui_style.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    azimora::shell::RegisterBundledFonts();
    azimora::shell::QtDialogs dialogs;
    azimora::shell::TfrmKorvel window(dialogs, QCoreApplication::applicationDirPath().toStdString());
    dialogs.setOwner(&window);
    window.show();
    return QApplication::exec();
}
