#pragma once

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QStringList>

#include <string>

namespace td::testing {

const QString ExamplesDir = QStringLiteral(TD_EXAMPLES_DIR);

struct ToolResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// A program that does not end within `timeoutMs` or crashes gives exit code -1.
inline ToolResult RunProgram(const QString& program, const QStringList& args, int timeoutMs = 120000)
{
    QProcess process;
    process.start(program, args);
    ToolResult result;
    if (!process.waitForFinished(timeoutMs) || process.exitStatus() != QProcess::NormalExit)
        return result;
    result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput().toStdString();
    result.err = process.readAllStandardError().toStdString();
    return result;
}

inline ToolResult RunTdtool(const QStringList& args) { return RunProgram(QStringLiteral(TDTOOL_PATH), args); }

inline QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace td::testing
