// Kanoby starts with its main window and ends when that window is closed.
#include <QApplication>
#include <memory>

#include "mainwindow/MainWindow.h"
#include "ui/MessageBox.h"
#include "ui/ProgramDir.h"

using namespace Qt::StringLiterals;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Kanoby"_s);

    kanoby::QtMessageBoxes boxes;
    // The window holds the tables, too large for the stack.
    const auto window = std::make_unique<kanoby::MainWindow>(kanoby::ProgramDirectory(), boxes);
    window->show();
    return QApplication::exec();
}
