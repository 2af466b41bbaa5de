# shellcheck shell=bash
# The fuzzing build (build/fuzz: clang, the portable sources instrumented for
# libFuzzer with ASan and UBSan) and the runs of its targets. Needs common.sh
# and build.sh. Targets are fuzz/<name>_fuzz.cpp; seeds are fuzz/corpus/<name>/;
# fuzz/<name>.dict and fuzz/<name>.options add flags of one target (see
# ui_fuzz_flags and the header of fuzz/CMakeLists.txt).

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

# Flags every run of every target gets before its own: inputs up to 64 KB (the
# stored texts), 25 s an input, 2 GB of memory.
UI_FUZZ_DEFAULT_FLAGS=(-max_len=65536 -timeout=25 -rss_limit_mb=2048)

# Flags the scripts set themselves; an .options file must not name them.
UI_FUZZ_SCRIPT_FLAGS=" dict runs max_total_time merge set_cover_merge jobs workers fork artifact_prefix \
exact_artifact_path minimize_crash cleanse_crash print_final_stats close_fd_mask help "

# ui_fuzz_flags NAME: the libFuzzer flags of target NAME, one a line, for a
# fuzzing run and for the replay alike: the defaults, then -dict= naming
# fuzz/NAME.dict when it exists, then the flags of fuzz/NAME.options (one line
# of -flag=value words; blank lines and lines starting with # are skipped).
# libFuzzer takes the last of a repeated flag, so the options override the
# defaults. Fails, saying why, on an options file it cannot take.
ui_fuzz_flags() {
  local name=$1 dict="$UI_FUZZ_SRC/$1.dict" options="$UI_FUZZ_SRC/$1.options"
  local flags=("${UI_FUZZ_DEFAULT_FLAGS[@]}") lines=() words=() word flag line
  [ -f "$dict" ] && flags+=("-dict=$dict")
  if [ -f "$options" ]; then
    while IFS= read -r line || [ -n "$line" ]; do
      line=${line%$'\r'}
      [[ $line =~ ^[[:space:]]*(#|$) ]] || lines+=("$line")
    done <"$options"
    if [ ${#lines[@]} -gt 1 ]; then
      ui_warn "$options: more than one line of flags"
      return 1
    fi
    [ ${#lines[@]} = 1 ] && read -ra words <<<"${lines[0]}"
    for word in "${words[@]}"; do
      if ! [[ $word =~ ^-([a-z_]+)=[^[:space:]]+$ ]]; then
        ui_warn "$options: '$word' is not a -flag=value word"
        return 1
      fi
      flag=${BASH_REMATCH[1]}
      if [[ $UI_FUZZ_SCRIPT_FLAGS == *" $flag "* ]]; then
        ui_warn "$options: -$flag is set by the scripts$([ "$flag" = dict ] && echo " (the dictionary is fuzz/$name.dict)")"
        return 1
      fi
      flags+=("$word")
    done
  fi
  printf '%s\n' "${flags[@]}"
}

# ui_fuzz_merge NAME: replaces fuzz/corpus/NAME/ by a small set of its seeds
# and of build/fuzz/run/NAME/ that reaches every edge they reach (merged with
# the target's own flags, hit counters off: a set that keeps every counter
# change holds hundreds of large inputs). Prints the counts before and after.
ui_fuzz_merge() {
  local name=$1 bin corpus fresh flags before
  bin=$(ui_fuzz_binary "$name")
  corpus="$UI_FUZZ_SRC/corpus/$name"
  [ -x "$bin" ] || { ui_warn "no target $name"; return 1; }
  flags=$(ui_fuzz_flags "$name") || return 1
  mapfile -t flags <<<"$flags"
  fresh="$UI_FUZZ_BUILD/merge/$name"
  rm -rf "$fresh"
  mkdir -p "$fresh" "$corpus" "$UI_FUZZ_BUILD/run/$name"
  before=$(find "$corpus" -type f | wc -l)
  ui_run env "${UI_FUZZ_ENV[@]}" "$bin" "${flags[@]}" -merge=1 -use_counters=0 "$fresh" "$corpus" "$UI_FUZZ_BUILD/run/$name" \
    >"$UI_FUZZ_BUILD/merge/$name.log" 2>&1 || { ui_warn "see $UI_FUZZ_BUILD/merge/$name.log"; return 1; }
  find "$fresh" -type f | grep -q . || { ui_warn "$name: the merge kept nothing"; return 1; }
  rm -rf "$corpus"
  mv "$fresh" "$corpus"
  echo "  $name: $before seeds before, $(find "$corpus" -type f | wc -l) after" \
    "($(du -sk "$corpus" | cut -f1) KB)"
}

# ui_fuzz_replay: runs every committed seed of every target once. Prints one
# line per failing target (with its log) and sets UI_REPLAY_TARGETS,
# UI_REPLAY_INPUTS and UI_REPLAY_FAILED. Returns non-zero on any failure.
ui_fuzz_replay() {
  local name bin corpus log n rc flags
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
    if ! flags=$(ui_fuzz_flags "$name"); then
      UI_REPLAY_FAILED+=" $name"
      echo "  $name: bad fuzz/$name.options"
      continue
    fi
    # A file argument runs that input once; nothing is written anywhere. The
    # target's flags still apply: its input size and memory limit, and its
    # dictionary is parsed, so a broken one fails here.
    mapfile -t flags <<<"$flags"
    ui_run env "${UI_FUZZ_ENV[@]}" "$bin" "${flags[@]}" "${seeds[@]}" >"$log" 2>&1
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
