#include <algorithm>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>

#include "tools/commands.h"

namespace drivesys_cli {
std::vector<std::pair<int, CommandFactory>>& commandFactories() {
    static std::vector<std::pair<int, CommandFactory>> list;
    return list;
}
CommandRegistrar::CommandRegistrar(int order, CommandFactory factory) {
    commandFactories().emplace_back(order, std::move(factory));
}
std::vector<DemoStepEntry>& demoSteps() {
    static std::vector<DemoStepEntry> list;
    return list;
}
DemoStepRegistrar::DemoStepRegistrar(int order, std::string name, DemoStep step) {
    demoSteps().push_back(DemoStepEntry{order, std::move(name), std::move(step)});
}
void DemoContext::writeFile(const std::string& name, const std::string& text) {
    const auto path = outDir / name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    if (!out) throw std::runtime_error("cannot write " + path.string());
    out << text;
    written.push_back(name);
}
void DemoContext::writeRecordFile(const std::string& name, const std::string& text, const std::string& recordClass) {
    writeFile(name, text);
    recordFiles.emplace_back(name, recordClass);
}
std::string readInput(const std::string& path) {
    std::stringstream buffer;
    if (path == "-") {
        buffer << std::cin.rdbuf();
        return buffer.str();
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    buffer << in.rdbuf();
    return buffer.str();
}
}  // namespace drivesys_cli

int main(int argc, char** argv) {
    CLI::App app{"drivesys: the drive-train system model library's command-line tool"};
    app.require_subcommand(1);
    drivesys_cli::Registry registry;
    auto& factories = drivesys_cli::commandFactories();
    std::stable_sort(factories.begin(), factories.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& [order, factory] : factories) factory(app, registry);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e);
    }
    return registry.exitCode;
}
