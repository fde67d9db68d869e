#!/usr/bin/env bash
# The main job for now: a short series of safety tests on the simulated analyzer.
# Starts trxsim with a ready analyzer, asks who answers, runs the series with trxctl (power-change
# prompts answered from demo-answers.txt, so no terminal is needed), prints the results and
# stops trxsim, whose last line tells the state the analyzer was left in.
#   demo.sh BUILD_DIR [trxctl run options...]
set -euo pipefail
build=${1:?usage: demo.sh BUILD_DIR [trxctl run options]}
shift
here="$(cd "$(dirname "$0")" && pwd)"
trxsim="$build/apps/trxsim/trxsim"
trxctl="$build/apps/trxctl/trxctl"
orvel="$build/apps/orvel/orvel"
work="$(mktemp -d)"
sim_pid=""
cleanup() {
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

"$trxsim" --scenario healthy >"$work/trxsim.out" 2>/dev/null &
sim_pid=$!
for _ in $(seq 100); do
  [ -s "$work/trxsim.out" ] && break
  sleep 0.05
done
port="$(head -n 1 "$work/trxsim.out")"
case "$port" in /dev/*) ;; *) echo "demo: trxsim did not start" >&2; exit 2 ;; esac
echo "Simulated analyzer (scenario \"healthy\") on $port"
echo

echo "\$ trxctl query $port"
"$trxctl" query "$port"
echo

tests=(etcProtEarth etcIRMains etcEarthLeak:epcNC etcPatLeak:epcNCRM etcEquipCurr)
echo "\$ trxctl run $port ${tests[*]} --stop-before --answers demo-answers.txt $*"
status=0
"$trxctl" run "$port" "${tests[@]}" --stop-before --answers "$here/demo-answers.txt" "$@" \
  2>"$work/prompts.log" </dev/null || status=$?
echo
echo "Prompts answered on the operator's behalf:"
grep -E ' shown: |^    | answer: ' "$work/prompts.log" || cat "$work/prompts.log"
echo

kill -TERM "$sim_pid"
wait "$sim_pid" || true
sim_pid=""
echo "Analyzer left in: $(tail -n 1 "$work/trxsim.out")"
echo

# The template the next runs will work from: a patient monitor with two applied parts, judged
# against IEC 60601-1 (its settings kept apart from the technician's own).
template="$work/monitor.xml"
export ORVEL_REGISTRY="$work/registry.ini"
echo "\$ orvel template new monitor.xml 300 1100 --standard \"IEC 60601-1\" --class I" \
     "--device \"Patient monitor\" --modules ECG:CF:3,SpO2:BF:1"
"$orvel" template new "$template" 300 1100 --standard "IEC 60601-1" --class I \
  --device "Patient monitor" --modules ECG:CF:3,SpO2:BF:1 2>/dev/null
echo "\$ orvel template set monitor.xml 1100 MeasType=AC"
"$orvel" template set "$template" 1100 MeasType=AC
echo "\$ orvel template show monitor.xml (device, protective earth, first patient leakage test)"
"$orvel" template show "$template" | sed -n '1,3p;/^300 /,/^1100 /p;/^  1101 /,/^  1102 /p' | grep -v '^  1102 '
exit "$status"
