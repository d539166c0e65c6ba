#pragma once
// Sub-commands and demo steps of the command-line tool register themselves from their own
// files, so adding one needs no edit elsewhere.
#include <CLI/CLI.hpp>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "drivesys/foundation/record.h"
#include "tools/cli_io.h"
#include "tools/registered.h"

namespace drivesys_cli {

struct Registry {
    int exitCode = 0;
};

using CommandFactory = std::function<void(CLI::App& app, Registry& registry)>;

/// A sub-command: the tool adds them in ascending order.
struct CommandEntry {
    int order;
    CommandFactory factory;
};
/// Adds a sub-command to the tool: `CommandRegistrar name(order, factory);` in the command's file.
using CommandRegistrar = Registered<CommandEntry>;

/// What a demo step gets: the output folder and the terminal summary to extend.
struct DemoContext {
    std::filesystem::path outDir;
    std::ostream& summary;
    /// Files written, relative to outDir, for the closing list.
    std::vector<std::string> written;
    /// Record class of the files that hold one record's JSON (name -> class), for the manifest.
    std::vector<std::pair<std::string, std::string>> recordFiles;
    /// Writes text to outDir/name and records it.
    void writeFile(const std::string& name, const std::string& text);
    /// Writes the JSON text of one record (dump(indent) of its toJson(), then a line feed) without
    /// its tree, and records the file and its class.
    void writeRecordFile(const std::string& name, const nMetaStruct& record, const ds::RecordInfo& info, int indent);

private:
    /// outDir/name, its folder made.
    std::filesystem::path place(const std::string& name) const;
};
using DemoStep = std::function<void(DemoContext& context)>;

/// A step of `drivesys demo`; steps run in ascending order.
struct DemoStepEntry {
    int order;
    std::string name;
    DemoStep step;
};
/// Adds a step to `drivesys demo`: `DemoStepRegistrar name(order, "name", step);` in its file.
using DemoStepRegistrar = Registered<DemoStepEntry>;

}  // namespace drivesys_cli
