// One QGuiApplication for the print tests: painting text needs fonts, which only a GUI application
// has. Offscreen, so that no display is needed.

#include <QGuiApplication>

#include <gtest/gtest.h>

#include <memory>

namespace
{
class CPrintTestApplication : public ::testing::Environment
{
public:
    void SetUp() override
    {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int s_argc = 1;
        static char s_name[] = "r740_print_tests";
        static char* s_argv[] = {s_name, nullptr};
        m_pApp = std::make_unique<QGuiApplication>(s_argc, s_argv);
    }
    void TearDown() override { m_pApp.reset(); }

private:
    std::unique_ptr<QGuiApplication> m_pApp;
};

const ::testing::Environment* const s_pEnvironment =
    ::testing::AddGlobalTestEnvironment(new CPrintTestApplication);
} // namespace
