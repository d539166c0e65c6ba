#!/usr/bin/env python3
"""Runs `drivesys demo` into a fresh folder and validates every record file it wrote against the
JSON Schema of its class (the demo's schemas/<Class>.schema.json, draft 2020-12), and the
report's results summary (report/summary.json) against docs/summary.schema.json.

Record files: model.json (class name -> array of records) and the entries of
demo-manifest.json that name a record class (the tab records, the sample results). Prints one line per file and exits non-zero on
the first invalid file (with the validator's message)."""
import json
import pathlib
import shutil
import subprocess
import sys

import jsonschema


def main() -> int:
    cli, work = sys.argv[1], pathlib.Path(sys.argv[2])
    out = work / "demo-schema-check"
    shutil.rmtree(out, ignore_errors=True)
    subprocess.run([cli, "demo", "--out", str(out)], check=True, stdout=subprocess.DEVNULL)

    schemas = {p.name[: -len(".schema.json")]: json.loads(p.read_text()) for p in (out / "schemas").glob("*.schema.json")}
    if len(schemas) < 100:
        print(f"only {len(schemas)} schemas written")
        return 1
    for name, schema in schemas.items():
        jsonschema.Draft202012Validator.check_schema(schema)

    checks = []  # (file, class, instance)
    model = json.loads((out / "model.json").read_text())
    for cls, records in model.items():
        for i, record in enumerate(records):
            checks.append((f"model.json {cls}[{i}]", cls, record))
    for rel, cls in json.loads((out / "demo-manifest.json").read_text()).items():
        if cls:
            checks.append((rel, cls, json.loads((out / rel).read_text())))

    for where, cls, instance in checks:
        if cls not in schemas:
            print(f"{where}: no schema for class {cls}")
            return 1
        errors = sorted(jsonschema.Draft202012Validator(schemas[cls]).iter_errors(instance), key=lambda e: e.path)
        if errors:
            e = errors[0]
            print(f"{where}: invalid against {cls}: {e.message} at {list(e.absolute_path)}")
            return 1
    # The solver definition (with its housing section) against the definition file's schema.
    definition_schema = json.loads((pathlib.Path(__file__).resolve().parents[2] / "docs/schemas/solver_definition.schema.json").read_text())
    jsonschema.Draft202012Validator.check_schema(definition_schema)
    definition = json.loads((out / "solver/sample_definition.json").read_text())
    errors = sorted(jsonschema.Draft202012Validator(definition_schema).iter_errors(definition), key=lambda e: e.path)
    if errors or "housing" not in definition:
        print(f"solver/sample_definition.json: invalid against the definition schema: "
              f"{errors[0].message if errors else 'no housing section'}")
        return 1
    # The results summary against its hand-written schema (docs/summary.schema.json).
    summary_schema = json.loads((pathlib.Path(__file__).resolve().parents[2] / "docs" / "summary.schema.json").read_text())
    jsonschema.Draft202012Validator.check_schema(summary_schema)
    summary = json.loads((out / "report" / "summary.json").read_text())
    errors = sorted(jsonschema.Draft202012Validator(summary_schema).iter_errors(summary), key=lambda e: list(e.path))
    if errors:
        e = errors[0]
        print(f"report/summary.json: invalid against docs/summary.schema.json: {e.message} at {list(e.absolute_path)}")
        return 1
    print(f"{len(checks)} record files valid against {len(schemas)} schemas; report/summary.json and the solver "
          f"definition valid against theirs")
    return 0


if __name__ == "__main__":
    sys.exit(main())
