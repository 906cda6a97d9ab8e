#include <QApplication>

#include "Fonts.h"

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    installFontSubstitutions();
    return 0;
}
