#pragma once

// Runs the built r740sim on a pseudo-terminal of its own (so that tests may run side by side) and
// stops it as a user would (SIGTERM), which saves its state.

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <string>
#include <vector>

class CTest_Emulator
{
public:
    explicit CTest_Emulator(const std::vector<std::string>& args)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("R740_RESOURCE");
        env.remove("R740_RESOURCE_PATH");
        m_process.setProcessEnvironment(env);
        QStringList list{"--pty"};
        for (const std::string& arg : args)
            list << QString::fromLocal8Bit(arg.c_str());
        m_process.start(QString::fromLocal8Bit(R740_BINARY_DIR "/r740sim"), list);
        // The first line of its output names the pseudo-terminal.
        while (!m_process.canReadLine() && m_process.waitForReadyRead(START_MS))
        {
        }
        m_device = m_process.readLine().trimmed().toStdString();
    }
    ~CTest_Emulator() { Stop(); }
    CTest_Emulator(const CTest_Emulator&) = delete;
    CTest_Emulator& operator=(const CTest_Emulator&) = delete;

    // The device for r740tool --device; empty when the emulator did not start.
    const std::string& Device() const { return m_device; }

    // Ends the emulator with SIGTERM; its exit code (-1 when it did not end normally).
    int Stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return m_nExit;
        m_process.terminate();
        if (!m_process.waitForFinished(STOP_MS))
        {
            m_process.kill();
            m_process.waitForFinished(STOP_MS);
            return m_nExit = -1;
        }
        m_err = m_process.readAllStandardError().toStdString();
        m_nExit = m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
        return m_nExit;
    }
    // Standard error after Stop (the frame and byte counts of its last line).
    const std::string& Err() const { return m_err; }

private:
    // Starting a sanitized program on a busy machine takes a while; saving at the end too.
    static constexpr int START_MS = 30000;
    static constexpr int STOP_MS = 30000;

    QProcess m_process;
    std::string m_device;
    std::string m_err;
    int m_nExit = -1;
};
