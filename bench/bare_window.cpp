// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// A bare Qt 6 window of the same widgets as Azimora's main window (menus,
// five edit boxes, labels, two buttons, the two listings with as many
// items, a status bar), for the start-up benchmark to hold Azimora against.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTreeView>
#include <QVBoxLayout>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Print Results"));
    file->addSeparator();
    file->addAction(QStringLiteral("E&xit"));
    window.menuBar()->addMenu(QStringLiteral("&Tools"))->addAction(QStringLiteral("Installation &Details..."));
    auto* client = new QWidget(&window);
    auto* layout = new QVBoxLayout(client);
    for (int i = 0; i < 5; ++i) layout->addWidget(new QLineEdit(QStringLiteral("0.00"), client));
    for (int i = 0; i < 16; ++i) layout->addWidget(new QLabel(QStringLiteral("Label %1").arg(i), client));
    for (int i = 0; i < 2; ++i) layout->addWidget(new QPushButton(QStringLiteral("..."), client));
    for (const int items : {101, 298}) {
        auto* model = new QStandardItemModel(&window);
        QStandardItem* parent = model->invisibleRootItem();
        for (int i = 0; i < items; ++i) {
            auto* item = new QStandardItem(QStringLiteral("Item %1").arg(i));
            parent->appendRow(item);
            if (items > 101 && i % 10 == 0) parent = item;
        }
        auto* view = new QTreeView(client);
        view->setModel(model);
        layout->addWidget(view);
    }
    window.setCentralWidget(client);
    window.statusBar()->addWidget(new QLabel(QStringLiteral("Monday, December 7, 2026 9:16:05 AM"), &window));
    window.resize(608, 468);
    window.show();
    return QApplication::exec();
}
