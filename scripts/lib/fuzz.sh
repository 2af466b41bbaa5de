# shellcheck shell=bash
# The fuzzing build (build/fuzz: clang, the portable sources instrumented for
# libFuzzer with ASan and UBSan) and the runs of its targets. Needs common.sh
# and build.sh. Targets are fuzz/<name>_fuzz.cpp; seeds are fuzz/corpus/<name>/.

UI_FUZZ_BUILD="$UI_BUILD/fuzz"
UI_FUZZ_SRC="$UI_REPO/fuzz"

# The targets run as `env "${UI_FUZZ_ENV[@]}" TARGET ...`: sanitizers that
# stop at the first fault and say where it was (only for the targets).
UI_FUZZ_ENV=(ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
             UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}")

# clang and its libFuzzer runtime (in libclang-rt-<major>-dev on Debian).
ui_require_fuzz_tools() {
  ui_require cmake:cmake clang++:clang python3:python3
  local major rt
  major=$(clang++ -dumpversion 2>/dev/null)
  major=${major%%.*}
  rt="$(clang++ -print-runtime-dir 2>/dev/null)"
  [ -e "$rt/libclang_rt.fuzzer-x86_64.a" ] || [ -e "$rt/libclang_rt.fuzzer.a" ] && return 0
  ui_require "$rt/libclang_rt.fuzzer-x86_64.a:libclang-rt-$major-dev"
}

ui_configure_fuzz() {
  mkdir -p "$UI_BUILD"
  ui_configure "$UI_FUZZ_BUILD" -DUI_PORTABLE_ONLY=ON -DUI_FUZZ=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g"
}

# ui_check_portable_ascii: the library files the fuzzing build compiled (from
# ninja's dependency log) hold no non-ASCII byte outside comments: clang would
# make such a literal UTF-8 instead of CP1252 (see portable_ascii.py).
ui_check_portable_ascii() {
  [ -f "$UI_FUZZ_BUILD/build.ninja" ] || return 0
  local files=()
  mapfile -t files < <(cd "$UI_FUZZ_BUILD" && ninja -t deps |
    sed -n "s#^ *\($UI_REPO/\(framework\|foundation\|grids\|controls\|editors\)/.*\)#\1#p" | sort -u)
  [ ${#files[@]} -gt 0 ] || return 0
  python3 "$UI_REPO/scripts/lib/portable_ascii.py" "${files[@]}" && return 0
  ui_warn "portable files with non-ASCII bytes outside comments (write them as escapes: \"M\\xE4rz\")"
  return 1
}

ui_build_fuzz() {
  ui_configure_fuzz && ui_build "$UI_FUZZ_BUILD" fuzz_targets && ui_check_portable_ascii
}

# Names of the targets (without "_fuzz"), one a line, in name order.
ui_fuzz_names() {
  local f
  for f in "$UI_FUZZ_SRC"/*_fuzz.cpp; do
    [ -e "$f" ] || continue
    f=${f##*/}
    echo "${f%_fuzz.cpp}"
  done
}

ui_fuzz_binary() { echo "$UI_FUZZ_BUILD/bin/$1_fuzz"; }

# ui_fuzz_replay: runs every committed seed of every target once. Prints one
# line per failing target (with its log) and sets UI_REPLAY_TARGETS,
# UI_REPLAY_INPUTS and UI_REPLAY_FAILED. Returns non-zero on any failure.
ui_fuzz_replay() {
  local name bin corpus log n rc
  local logdir="$UI_FUZZ_BUILD/replay"
  UI_REPLAY_TARGETS=0 UI_REPLAY_INPUTS=0 UI_REPLAY_FAILED=""
  mkdir -p "$logdir"
  for name in $(ui_fuzz_names); do
    UI_REPLAY_TARGETS=$((UI_REPLAY_TARGETS + 1))
    bin=$(ui_fuzz_binary "$name")
    corpus="$UI_FUZZ_SRC/corpus/$name"
    log="$logdir/$name.log"
    local seeds=()
    [ -d "$corpus" ] && mapfile -t seeds < <(find "$corpus" -type f | sort)
    n=${#seeds[@]}
    if [ ! -x "$bin" ] || [ "$n" = 0 ]; then
      UI_REPLAY_FAILED+=" $name"
      echo "  $name: $([ -x "$bin" ] && echo "no seeds in $corpus" || echo "not built")"
      continue
    fi
    # A file argument runs that input once; nothing is written anywhere.
    ui_run env "${UI_FUZZ_ENV[@]}" "$bin" -timeout=25 -rss_limit_mb=2048 "${seeds[@]}" >"$log" 2>&1
    rc=$?
    UI_REPLAY_INPUTS=$((UI_REPLAY_INPUTS + n))
    if [ $rc != 0 ]; then
      UI_REPLAY_FAILED+=" $name"
      echo "  $name: replay failed (exit $rc), log $log:"
      # The input, the fault and the frames in this repository's code.
      grep -E "ERROR|runtime error|property broken|Running:| in .* $UI_REPO/" "$log" | tail -30
    fi
  done
  [ -z "$UI_REPLAY_FAILED" ]
}
