// One QApplication for every widget test of this program (offscreen, set by the test runner's
// environment). Created before the first test and destroyed after the last.

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

namespace
{
class CUiTestApplication : public ::testing::Environment
{
public:
    void SetUp() override
    {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int s_argc = 1;
        static char s_name[] = "r740_ui_tests";
        static char* s_argv[] = {s_name, nullptr};
        m_pApp = std::make_unique<QApplication>(s_argc, s_argv);
    }
    void TearDown() override { m_pApp.reset(); }

private:
    std::unique_ptr<QApplication> m_pApp;
};

const ::testing::Environment* const s_pEnvironment =
    ::testing::AddGlobalTestEnvironment(new CUiTestApplication);
} // namespace
