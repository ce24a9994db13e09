// Test entry point: a Qt application object (a QApplication for window tests) and a pinned
// en_US locale, so month names, decimal separators and date texts are the same everywhere.
// Listing the tests (as CTest does to find them) builds no application, so it needs no display.
#include <QLocale>
#include <gtest/gtest.h>
#ifdef MORVANE_TEST_GUI
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    TestApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
