// drivesys schema [--json-schema] [CLASS...]   and   drivesys record CLASS [--in FILE|-] [--strict]
#include <iostream>
#include <nlohmann/json.hpp>

#include "drivesys/drivesys.h"
#include "drivesys/foundation/json_schema.h"
#include "tools/commands.h"
#include "tools/record_input.h"

namespace {
using json = nlohmann::json;

drivesys_cli::CommandRegistrar schemaCommand(10, [](CLI::App& app, drivesys_cli::Registry&) {
    auto* cmd = app.add_subcommand("schema", "Print the member list of record classes as JSON");
    auto classes = std::make_shared<std::vector<std::string>>();
    auto jsonSchema = std::make_shared<bool>(false);
    cmd->add_option("classes", *classes, "Class names (all catalogued classes when none is named)");
    cmd->add_flag("--json-schema", *jsonSchema,
                  "Print JSON Schemas (draft 2020-12): the schema itself for one named class, else an object keyed by class");
    cmd->callback([classes, jsonSchema] {
        const auto& catalog = ds::Catalog::instance();
        json out = *jsonSchema ? json::object() : json::array();
        std::vector<std::string> names = classes->empty() ? catalog.classNames() : *classes;
        for (const auto& name : names) {
            const ds::CatalogEntry* e = catalog.find(name);
            if (!e) throw drivesys_cli::UsageError("unknown record class " + name);
            json s;
            if (*jsonSchema) {
                ds::jsonSchemaOf(*e->info, s);
                out[name] = std::move(s);
            } else {
                ds::schemaOf(*e->info, s);
                out.push_back(std::move(s));
            }
        }
        if (*jsonSchema && classes->size() == 1) out = std::move(out.begin().value());
        std::cout << out.dump(2) << "\n";
    });
});

drivesys_cli::CommandRegistrar recordCommand(11, [](CLI::App& app, drivesys_cli::Registry&) {
    auto* cmd = app.add_subcommand("record", "Print the JSON form of a default record, or of one read from a file");
    auto cls = std::make_shared<std::string>();
    auto in = std::make_shared<std::string>();
    auto strict = std::make_shared<bool>(false);
    cmd->add_option("class", *cls, "Record class name")->required();
    cmd->add_option("--in", *in, "JSON file to read into the record (- for standard input)")
        ->check(drivesys_cli::inputFileValidator());
    cmd->add_flag("--strict", *strict, "Validate the file against the class's JSON Schema before reading it");
    cmd->callback([cls, in, strict] {
        const ds::CatalogEntry* e = ds::Catalog::instance().find(*cls);
        if (!e) throw drivesys_cli::UsageError("unknown record class " + *cls);
        auto record = e->info->create();
        if (!in->empty()) {
            const json j = drivesys_cli::readJsonInput(*in);
            drivesys_cli::checkRecordInput(j, *e->info, *in == "-" ? "standard input" : *in, *strict);
            try {
                e->read(*record, j);
            } catch (const std::exception& ex) {
                throw drivesys_cli::UsageError(*in + ": not readable as " + *cls + ": " + ex.what());
            }
        }
        std::cout << record->toJson().dump(2) << "\n";
    });
});
}  // namespace
