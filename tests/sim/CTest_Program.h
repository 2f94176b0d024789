#pragma once

// Runs the built window program R740Cf offscreen, the way a PABX administration tool or a user
// would start it, with a scripted user (R740_UI_SCRIPT, see ui/CUi_Script.h), its settings in a
// directory of its own and its link pointed at a device: its exit code and standard error.

#include "testsupport/CTest_TempDir.h"

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <string>
#include <vector>

struct CTest_ProgramRun
{
    int nExit = -1; // -1: did not end normally within the time allowed
    std::string err;
};

struct CTest_Program
{
    std::string workDir;  // the current directory at start (hand-off files), settings below it
    std::string device;   // SLPV24_DEVICE
    std::string resource; // R740_RESOURCE; empty: the bundle beside the program
    std::string script;   // the script's text
    std::string settings; // the settings file's text ("talvo/R740Cf.conf" or "talvo/R740Pb.conf")
    std::string settingsName = "R740Cf";

    CTest_ProgramRun Run(const std::vector<std::string>& args) const
    {
        const QString dir = QString::fromLocal8Bit(workDir.c_str());
        QDir(dir).mkpath("config/talvo");
        TestWriteFile(workDir + "/config/talvo/" + settingsName + ".conf", settings);
        TestWriteFile(workDir + "/script.txt", script);

        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("R740_RESOURCE");
        env.remove("R740_RESOURCE_PATH");
        if (!resource.empty())
            env.insert("R740_RESOURCE", QString::fromLocal8Bit(resource.c_str()));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_CONFIG_HOME", dir + "/config");
        env.insert("HOME", dir);
        env.insert("SLPV24_DEVICE", QString::fromLocal8Bit(device.c_str()));
        env.insert("R740_UI_SCRIPT", dir + "/script.txt");
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(dir);
        QStringList list;
        for (const std::string& arg : args)
            list << QString::fromLocal8Bit(arg.c_str());
        process.start(QString::fromLocal8Bit(R740_BINARY_DIR "/R740Cf"), list);
        CTest_ProgramRun run;
        if (!process.waitForFinished(RUN_MS) || process.exitStatus() != QProcess::NormalExit)
        {
            process.kill();
            process.waitForFinished(RUN_MS);
        }
        else
            run.nExit = process.exitCode();
        const QByteArray err = process.readAllStandardError();
        run.err.assign(err.constData(), static_cast<size_t>(err.size()));
        return run;
    }

    // Starting a sanitized program on a busy machine takes a while.
    static constexpr int RUN_MS = 60000;
};
