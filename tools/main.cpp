#include <fstream>
#include <iostream>
#include <stdexcept>

#include "drivesys/drivesys.h"
#include "drivesys/foundation/record_text.h"
#include "tools/commands.h"

namespace drivesys_cli {
std::filesystem::path DemoContext::place(const std::string& name) const {
    const auto path = outDir / name;
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    if (ec) throw UsageError("cannot create the folder " + path.parent_path().string() + ": " + ec.message());
    return path;
}
void DemoContext::writeFile(const std::string& name, const std::string& text) {
    writeOutput(place(name), text);
    written.push_back(name);
}
void DemoContext::writeRecordFile(const std::string& name, const nMetaStruct& record, const ds::RecordInfo& info, int indent) {
    writeOutput(place(name), [&](std::ostream& out) {
        ds::writeRecordText(out, record, info, indent);
        out << "\n";
    });
    written.push_back(name);
    recordFiles.emplace_back(name, info.className());
}
}  // namespace drivesys_cli

namespace {
/// The first argument that is not an option, when it names no sub-command.
const char* unknownCommand(const CLI::App& app, int argc, char** argv) {
    if (argc < 2 || argv[1][0] == '-') return nullptr;
    for (const CLI::App* sub : app.get_subcommands([](const CLI::App*) { return true; }))
        if (sub->check_name(argv[1])) return nullptr;
    return argv[1];
}

std::string commandList(const CLI::App& app) {
    std::string list;
    for (const CLI::App* sub : app.get_subcommands([](const CLI::App*) { return true; }))
        list += (list.empty() ? "" : ", ") + sub->get_name();
    return list;
}

int fail(int code, const std::string& what) {
    std::cerr << "drivesys: error: " << what << "\n";
    return code;
}
}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"drivesys: the drive-train system model library's command-line tool"};
    app.require_subcommand(1);
    app.set_version_flag("--version", std::string("drivesys ") + DRIVESYS_VERSION_STRING + " (library version number " +
                                          std::to_string(GetQuelmVersion()) + ")");
    drivesys_cli::Registry registry;
    for (auto& command : drivesys_cli::CommandRegistrar::ordered()) command.factory(app, registry);
    // Every failure ends here: nothing escapes as an uncaught exception.
    try {
        if (const char* name = unknownCommand(app, argc, argv))
            return fail(2, std::string("unknown command '") + name + "' (commands: " + commandList(app) + ")");
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        return fail(2, std::string(e.what()) + " (see drivesys --help)");
    } catch (const drivesys_cli::RefusedError& e) {
        return fail(1, e.what());
    } catch (const std::exception& e) {
        return fail(2, e.what());
    } catch (...) {
        return fail(2, "unexpected failure");
    }
    return registry.exitCode;
}
