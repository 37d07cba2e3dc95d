# shellcheck shell=bash
# Sourced by the cases after lib.sh: the saver's entry point into the action cycle told by its first
# sound (the first seconds of a run may go unseen on a loaded machine, so the screenshots alone
# cannot tell it), and the saver watched until the creature has shown, every screenshot matched to a
# frame that lomlom-render (E2E_RENDER) drew for that entry point.

declare -A seed_of_sound=()

# learn_entry_points WIDTHxHEIGHT BITS: seed_of_sound[SOUND] becomes a lomlom-render seed that enters
# the cycle where the first sound is SOUND, for each of the five entry points.
learn_entry_points() {
  [[ -x "${E2E_RENDER:-}" ]] || abort "lomlom-render not found at '${E2E_RENDER:-}' (build the native preset)"
  local sound seed
  while read -r sound seed; do
    seed_of_sound[$sound]=$seed
  done < <(bash "$E2E_DIR/scene/entry-sounds.sh" "$E2E_RENDER" "$CASE_DIR" "$1" "$2")
  ((${#seed_of_sound[@]} == 5)) || abort "lomlom-render could not tell the entry points by their first sounds"
}

# first_sound NAME: the name of the first sound that Wine traced the saver NAME playing, if any yet.
first_sound() {
  /usr/bin/python3 "$E2E_DIR/scene/sound_calls.py" "$CASE_DIR/$1.err" | awk '$1 != "NULL" && $1 != "?" {print $1; exit}'
}

played_sound() { [[ -n "$(first_sound "$1")" ]]; }

# wait_entry_seed NAME: once the saver NAME started with WINEDEBUG=+winmm has played its first sound,
# ENTRY_SEED is the seed of its entry point.
ENTRY_SEED=
wait_entry_seed() {
  wait_until 30000 played_sound "$1" || abort "$1: no sound within 30 s (see $CASE_DIR/$1.err)"
  local sound
  sound=$(first_sound "$1")
  ENTRY_SEED=${seed_of_sound[$sound]:-}
  [[ -n "$ENTRY_SEED" ]] || abort "$1: the first sound, $sound, begins no entry point"
}

# shows_creature NAME COMMAND_LINE SIZE [RENDER_OPTION...]: the saver in saving mode until an action
# of the creature has been seen, each screenshot (or each part in WATCH_PARTS, all of them the same)
# a frame that lomlom-render drew at SIZE, 32 bits, with the options, for the entry point that the
# saver's first sound tells; a key then ends it with 0. learn_entry_points comes first.
WATCH_PARTS=()
shows_creature() {
  local run=$1 command=$2 size=$3 ticks=1100 started elapsed left part parts=()
  shift 3
  started=$(now_ms)
  WINEDEBUG=+winmm spawn_saver "$run" "$command" 180000
  wait_saver_window "$run"
  wait_entry_seed "$run"
  # The frames cover two minutes of the run at 110 ms a tick; drawing them takes a good part of that
  # on a large or loaded screen, and the watch has what is left: 20 s at least, a minute at most.
  "$E2E_RENDER" saving --size "$size" --depth 32 --seed "$ENTRY_SEED" --ticks "$ticks" "$@" \
    --frame-log "$CASE_DIR/$run.frames" || abort "lomlom-render failed for seed $ENTRY_SEED"
  elapsed=$(($(now_ms) - started))
  left=$(((ticks * 110 - elapsed) / 1000 - 5))
  ((left >= 20)) || abort "$run: the frames were ready only $elapsed ms into the run"
  for part in "${WATCH_PARTS[@]}"; do
    parts+=(--part "$part")
  done
  /usr/bin/python3 "$E2E_DIR/scene/watch_saver.py" --depth 24 --seconds $((left < 60 ? left : 60)) --actions 1 \
    --out "$CASE_DIR" "${parts[@]}" "$CASE_DIR/$run.frames" >"$CASE_DIR/$run.watch" 2>&1
  local watched=$?
  expect "$run: every screenshot a rendered frame, the creature seen ($(value "$CASE_DIR/$run.watch" actions_seen))" 0 $watched
  xdo key space
  expect "$run: exit code after a key press" 0 "$(saver_exit "$run" 10000)"
}
