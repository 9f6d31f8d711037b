// The desktop program: the main window and the windows it opens, created in this order at start.
#include "ui/dialogs/ResultWindow.h"
#include "ui/fly/FlyWindow.h"
#include "ui/history/HistoryWindow.h"
#include "ui/main/ApplicationSetup.h"
#include "ui/main/MainWindow.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    pelmar::SetUpApplication(app);

    pelmar::TForm1 form1;
    pelmar::TForm2 form2;
    pelmar::TForm4 form4;
    pelmar::TFormResult formResult;
    form1.attachWindows(&form2, &form4, &formResult);
    QObject::connect(&form1, &pelmar::TForm1::closed, &app, &QCoreApplication::quit);

    form1.show();
    return QApplication::exec();
}
