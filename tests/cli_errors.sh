#!/usr/bin/env bash
# The command-line tool under wrong input: every failure is "drivesys: error: ..." on standard
# error with exit code 2 (usage, input) or 1 (refused by the library, output not written), never an
# uncaught exception; wrong kinds of file are named; paths reach the file system byte for byte.
# Usage: cli_errors.sh DRIVESYS DATA_DIR WORK_DIR
set -u
CLI=$1
DATA=$2
WORK=$3/cli_errors
rm -rf "$WORK" && mkdir -p "$WORK"
passed=0
failed=0

# expect CODE PATTERN ARGS...: exit code CODE, and PATTERN (an extended regex) found in the
# standard error (for CODE 0: in the standard output).
expect() {
    local code=$1 pattern=$2
    shift 2
    "$CLI" "$@" >"$WORK/out" 2>"$WORK/err"
    local rc=$?
    local where="$WORK/err"
    [ "$code" = 0 ] && where="$WORK/out"
    if [ "$rc" != "$code" ]; then
        echo "FAIL: drivesys $* exited $rc, expected $code"; sed 's/^/  /' "$WORK/err"; failed=$((failed + 1)); return
    fi
    if [ "$code" != 0 ] && ! head -n1 "$WORK/err" | grep -q '^drivesys: error: '; then
        echo "FAIL: drivesys $*: stderr does not begin with 'drivesys: error: '"; sed 's/^/  /' "$WORK/err"; failed=$((failed + 1)); return
    fi
    if grep -q 'terminate called' "$WORK/err"; then
        echo "FAIL: drivesys $*: uncaught exception"; failed=$((failed + 1)); return
    fi
    if [ -n "$pattern" ] && ! grep -Eq -- "$pattern" "$where"; then
        echo "FAIL: drivesys $*: '$pattern' not in"; sed 's/^/  /' "$where"; failed=$((failed + 1)); return
    fi
    passed=$((passed + 1))
}

cd "$WORK"
echo '{"Shaft": [{"name": "s"}]}' >model.json
echo '{"position": {"x": "twelve"}}' >frame.json
echo '{"name": "drive"}' >partial.json
echo '{"position": ' >broken.json
echo 'plain text' >file.txt

# The tool itself: version, unknown command, bad option values.
expect 0 'drivesys 0\.[0-9]+\.[0-9]+ .*2025' --version
expect 2 "unknown command 'frobnicate'" frobnicate
expect 2 'mode-count' diagram "$DATA/vibration_results.json" DrawCampbell --mode-count -3
expect 2 'no such file: missing\.json' record Shaft --in missing.json

# Output folders and files that cannot be used.
expect 2 '--out file\.txt: cannot use it as the output folder' demo --out file.txt
expect 2 'proc' demo --out /proc/drivesys-demo
expect 1 'cannot append to /dev/full' modvars "$DATA/vibration_results.json" /dev/full

# Input of the wrong kind, bad JSON, endless input.
expect 2 'model\.json: /Shaft: not a member of Shaft.*another kind' record Shaft --in model.json
expect 2 'model\.json: /Shaft: not a member of SystemVibrationResults' modvars model.json out.txt
[ -e out.txt ] && { echo "FAIL: modvars wrote out.txt for a refused input"; failed=$((failed + 1)); }
expect 2 'model\.json: not a housing stiffness file' offsets model.json
echo '[1]' >array.json
expect 2 'array\.json: /: expected a JSON object holding a Shaft record, found array' record Shaft --in array.json
expect 2 'frame\.json: /position/x: expected number or null, found string' record NvCoordinateSystem --in frame.json --strict
expect 0 '"name": "drive"' record Shaft --in partial.json
expect 2 'partial\.json: /: the member .* is missing' record Shaft --in partial.json --strict
expect 2 'broken\.json is not valid JSON' record NvCoordinateSystem --in broken.json
expect 2 'broken\.json is not valid JSON' diagram broken.json DrawCampbell
expect 2 '/dev/zero is not a regular file and holds more than 256 MiB' record Shaft --in /dev/zero
# Record files are read without a tree of the whole file: the same results and messages as with it.
echo '{"name": "first", "name": "drive"}' >repeated.json
expect 0 '"name": "drive"' record Shaft --in repeated.json
echo '{"elements": [{}], "nofBins": 1}' >spectrum.json
expect 2 "spectrum\.json: /elements/0: the member 'attribute' is missing" record nvLoadSpectrumTab --in spectrum.json --strict
{ printf '['; for i in $(seq 1 20000); do printf '{},'; done; printf 'x]'; } >brackets.json
expect 2 "brackets\.json is not valid JSON: .*last read: '\.\.\..*\{\},x'" record Shaft --in brackets.json
if [ "$(wc -c <"$WORK/err")" -gt 1000 ]; then
    echo "FAIL: the parse error quotes the whole file"; failed=$((failed + 1))
fi

# Diagrams: an unknown command, the results read as the calculation the command needs, a list
# too short for its curves.
expect 2 "unknown diagram command 'DrawFoo'" diagram "$DATA/vibration_results.json" DrawFoo
cat >campbell.json <<'EOF'
{"performedCalculation": 2,
 "resultsPerShaft": [{"shaftResultsPerSubShaft": [{"shaftName": "Input",
   "mode": [{"frequency": 100, "modeShape": [{"pos": 0, "u": {"x": 0, "y": 0, "z": 0}},
                                             {"pos": 0.1, "u": {"x": 0, "y": 1, "z": 0}},
                                             {"pos": 0.2, "u": {"x": 0, "y": 0, "z": 0}}]}]}]}],
 "resCampbell": [{"speed": 1000, "modeProperties": [{}]}],
 "resCampbellClassified": {"eigenID": ["B1"], "frequencyInputRange": [0], "eigenfrequencies": [{"curve": [410, 412.5]}]}}
EOF
expect 0 'Eigenfrequency 1: 100' diagram campbell.json DrawModeShape_Deflection_Y_0_0_0
if grep -q 'Campbell' out; then echo "FAIL: a mode-shape request drew a Campbell diagram"; failed=$((failed + 1)); fi
expect 2 'frequencyInputRange holds 1 speeds, but eigenfrequencies\[0\]\.curve has 2 points' diagram campbell.json DrawCampbell

# Housing: a failed coupling exits 1 and says what its status means; a byte-order mark is named.
cat >singular.json <<'EOF'
{"maxMappingDistance": 10,
 "stiffness": [[0,0,0,0,0,0],[0,0,0,0,0,0],[0,0,0,0,0,0],[0,0,0,0,0,0],[0,0,0,0,0,0],[0,0,0,0,0,0]],
 "nodeCoords": [[0, 0, 0]],
 "shaftCS": [[[0, 0, 0], [1, 0, 0], [0, 1, 0], [0, 0, 1]]],
 "bearingPoints": [[[0, 0, 0]]]}
EOF
expect 1 'status 8: no compliance' housing singular.json
grep -q '"status": 8' out || { echo "FAIL: housing printed no result"; failed=$((failed + 1)); }
# The case keys left out take their documented defaults: the same result as when given so.
identity='['
for i in $(seq 0 11); do
    row='['
    for j in $(seq 0 11); do row+="$([ "$i" = "$j" ] && echo 1 || echo 0)$([ "$j" = 11 ] || echo ,)"; done
    identity+="$row]$([ "$i" = 11 ] || echo ,)"
done
identity+=']'
frame='[[0, 0, 0], [1, 0, 0], [0, 1, 0], [0, 0, 1]]'
echo "{\"maxMappingDistance\": 10, \"stiffness\": $identity, \"nodeCoords\": [[0, 0, 5], [0, 0, 500]],
  \"shaftCS\": [$frame], \"bearingPoints\": [[[0, 0, 0]]]}" >minimal.json
echo "{\"maxMappingDistance\": 10, \"stiffness\": $identity, \"nodeCoords\": [[0, 0, 5], [0, 0, 500]],
  \"shaftCS\": [$frame], \"bearingPoints\": [[[0, 0, 0]]], \"enabled\": true, \"nodeNumbers\": [],
  \"systemCS\": [], \"femCS\": [], \"units\": {\"length\": \"mm\", \"force\": \"N\"},
  \"reportUnmappedNodes\": false, \"lengthFormatFlag\": false}" >explicit.json
"$CLI" housing minimal.json >minimal.out 2>/dev/null
"$CLI" housing explicit.json >explicit.out 2>/dev/null
if ! cmp -s minimal.out explicit.out || [ ! -s minimal.out ]; then
    echo "FAIL: a housing case without its optional keys differs from one giving their defaults"
    diff minimal.out explicit.out | head -20; failed=$((failed + 1))
else
    passed=$((passed + 1))
fi

printf '\xef\xbb\xbfNODES\n1 0 0 0\nSTIFFNESS 3\n1 0 0\n0 1 0\n0 0 1\n' >bom.txt
echo '{"maxMappingDistance": 1, "stiffnessFile": "bom.txt", "shaftCS": [], "bearingPoints": []}' >bomcase.json
expect 2 'bom\.txt: line 1: a UTF-8 byte-order mark \(EF BB BF\) stands before .NODES.' housing bomcase.json
expect 2 'bom\.txt: the file begins with a UTF-8 byte-order mark' offsets bom.txt

# File names that are not UTF-8 reach the file system unchanged.
name=$(printf 'a\xe4.txt')
cp "$DATA/offsets.txt" "$name"
expect 0 '"translations"' offsets "$name"
grep -q '0.001' out || { echo "FAIL: offsets of a non-UTF-8 name read nothing"; failed=$((failed + 1)); }
out=$(printf 'm\xe4.txt')
expect 0 '' modvars "$DATA/vibration_results.json" "$out"
if [ ! -s "$out" ] || ! grep -q '^system_dynamics_status=0$' "$out"; then
    echo "FAIL: modvars did not write the file of the non-UTF-8 name"; failed=$((failed + 1))
fi
expect 2 "no such file: $(printf 'n\xe4').txt" record Shaft --in "$(printf 'n\xe4.txt')"

# A definition's housing section: its stiffness file is read beside the definition and named when
# it is missing or bad; a bearing beyond the mapping distance is refused by the solver, named.
rotor='"systemDefinition": {"shaftsNames": [["S"]], "shaftE": [[2.1e11]], "shaftG": [[8.1e10]], "shaftRo": [[7850]],
  "secLength": [[[0.3]]], "secLda": [[[0.03]]], "bearingName": [[["A", "B"]]],
  "bearingPosition": [[[[0, 0, 0], [0, 0.3, 0]]]], "bearingStiffnessFxUx": [[[1e8, 1e8]]], "bearingStiffnessFzUz": [[[1e8, 1e8]]]}'
mkdir -p defs
printf 'UNITS m N\nNODES\n1 0 0 0\n2 0 0.3 0\nSTIFFNESS 3 LOWER\n1e9\n0 1e9\n0 0 1e9\n0 0 0 1e9\n0 0 0 0 1e9\n0 0 0 0 0 1e9\n' >defs/plate.txt
echo "{$rotor, \"housing\": {\"stiffnessFile\": \"plate.txt\", \"maxMappingDistance\": 0.001}}" >defs/ok.json
echo "{$rotor, \"housing\": {\"stiffnessFile\": \"nowhere.txt\"}}" >defs/missing.json
echo "{$rotor, \"housing\": {\"stiffnessFile\": \"plate.txt\", \"frame\": {\"origin\": [0.1, 0, 0]}, \"maxMappingDistance\": 0.001}}" >defs/far.json
expect 0 '"solverStatus": 0' solve defs/ok.json --modal
expect 2 'housing\.stiffnessFile: .*nowhere\.txt: no such file' solve defs/missing.json
expect 2 'bearing A \(bearingName\[0\]\[0\]\[0\]\) at \(0, 0, 0\) m is 100\.000 mm from the nearest node' solve defs/far.json

# The results summary and the report: bad options are named; a definition without Campbell speeds
# or forced response still gives a report, which says what it could not fill.
cat >rotor.json <<'JSON'
{"systemDefinition": {"shaftsNames": [["rotor"]], "shaftOrigin": [[[0, 0, 0]]], "shaftE": [[2.1e11]], "shaftG": [[8.1e10]],
 "shaftRo": [[7850]], "secLength": [[[0.5]]], "secLda": [[[0.05]]], "bearingName": [[["A", "B"]]],
 "bearingPosition": [[[[0, 0.02, 0], [0, 0.48, 0]]]], "bearingStiffnessFxUx": [[[1e8, 1e8]]],
 "bearingStiffnessFyUy": [[[1e8, 0]]], "bearingStiffnessFzUz": [[[1e8, 1e8]]], "bearingStiffnessMyRy": [[[1e4, 0]]],
 "bearingDampingX": [[[300, 300]]], "bearingDampingZ": [[[300, 300]]], "numResonanceCurves": 4},
 "solverOptions": {"nominalSpeed": 3000, "maxElementLength": 0.05}}
JSON
expect 2 'operating-range 3000:1000: give MIN:MAX' report rotor.json --out r.html --operating-range 3000:1000
expect 2 'operating-range nan:1: give MIN:MAX' solve rotor.json --summary s.json --operating-range nan:1
expect 2 "orders: order 'mesh0': out of range" report rotor.json --out r.html --orders 1x,mesh0
expect 2 "orders: order '3y': not an order" solve rotor.json --summary s.json --orders 3y
expect 2 '--out is required' report rotor.json
expect 2 'cannot write' report rotor.json --out missing-folder/r.html
expect 0 '"missing"' report rotor.json --out r.html --summary s.json
grep -q 'Not available: the definition has no Campbell speeds' r.html && grep -q 'Not available: the definition has no forced-response run' r.html &&
    [ -s r-modes.csv ] && [ -s r-critical-speeds.csv ] && ! grep -Eqi '(^|[^a-z])(nan|inf)([^a-z]|$)' r.html ||
    { echo "FAIL: the report of a modal-only definition"; failed=$((failed + 1)); }
python3 -c 'import json,sys; s=json.load(open(sys.argv[1])); assert s["modes"] and len(s["missing"]) == 2' s.json 2>/dev/null ||
    [ ! -x "$(command -v python3)" ] || { echo "FAIL: the summary of a modal-only definition"; failed=$((failed + 1)); }

# One output style: JSON everywhere.
expect 0 '^\[' describe
python3 -c 'import json,sys; json.load(open(sys.argv[1]))' out 2>/dev/null || [ ! -x "$(command -v python3)" ] ||
    { echo "FAIL: describe printed no JSON"; failed=$((failed + 1)); }

echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
