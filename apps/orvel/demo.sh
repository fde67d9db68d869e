#!/usr/bin/env bash
# The main job: a template of the complete safety test for an infusion pump with two applied
# parts under IEC 62353, run unattended against the simulated analyzer (in process, on virtual
# time: seconds), its result table printed and its HTML report written.
#   demo.sh BUILD_DIR [orvel run options...]
set -euo pipefail
build=${1:?usage: demo.sh BUILD_DIR [orvel run options]}
shift
orvel="$build/apps/orvel/orvel"
out="$build/demo"
mkdir -p "$out"
# The demo's settings are kept apart from the technician's own.
export ORVEL_REGISTRY="$out/registry.ini"
template="$out/pump.xml"
report="$out/pump.html"

echo "\$ orvel template new pump.xml 100 --standard \"IEC 62353\" --class I" \
     "--device \"Infusion pump\" --serial IP-2291 --modules ECG:CF:3,SpO2:BF:1 --force"
"$orvel" template new "$template" 100 --standard "IEC 62353" --class I \
  --device "Infusion pump" --serial IP-2291 --modules ECG:CF:3,SpO2:BF:1 --force
echo
echo "\$ orvel run pump.xml --simulate healthy --unattended --report pump.html $*"
status=0
"$orvel" run "$template" --simulate healthy --unattended --report "$report" "$@" \
  2>"$out/run.log" </dev/null || status=$?
grep -E "simulated analyzer's clock|^orvel run:" "$out/run.log" || true
if [ "$status" -eq 1 ]; then
  echo "At least one reading failed its limit, or the run ended early: see the table above."
fi
echo
echo "Template with its results: $template"
echo "HTML report:               $report"
echo "Log of the unattended run: $out/run.log"
exit "$status"
