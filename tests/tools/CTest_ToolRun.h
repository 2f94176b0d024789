#pragma once

// Runs the built r740tool beside the default resource bundle, the way a script would: its exit
// code, its standard output and its standard error, as bytes.

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <string>
#include <vector>

struct CTest_ToolRun
{
    int nExit = -1; // -1: did not end normally within the time allowed
    std::string out;
    std::string err;
};

// pszResource names a bundle file through R740_RESOURCE; nullptr: the bundle beside the tool.
inline CTest_ToolRun RunTool(const std::vector<std::string>& args, const char* pszResource = nullptr)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("R740_RESOURCE");
    env.remove("R740_RESOURCE_PATH");
    if (pszResource)
        env.insert("R740_RESOURCE", QString::fromLocal8Bit(pszResource));
    process.setProcessEnvironment(env);
    QStringList list;
    for (const std::string& arg : args)
        list << QString::fromLocal8Bit(arg.c_str());
    process.start(QString::fromLocal8Bit(R740_BINARY_DIR "/r740tool"), list);
    CTest_ToolRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.nExit = process.exitCode();
    const QByteArray out = process.readAllStandardOutput();
    const QByteArray err = process.readAllStandardError();
    run.out.assign(out.constData(), static_cast<size_t>(out.size()));
    run.err.assign(err.constData(), static_cast<size_t>(err.size()));
    return run;
}
