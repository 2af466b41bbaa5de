# shellcheck shell=bash
# Configure and build helpers of the two builds. Needs common.sh.

UI_WIN_BUILD="$UI_BUILD/win"
UI_NATIVE_BUILD="$UI_BUILD/native"

# ui_configure DIR ARGS...: configures DIR unless it is configured already
# (cmake re-runs itself when a list file changes). Ninja when present; a
# build folder keeps the generator it was made with. ccache only when present.
ui_configure() {
  local dir=$1; shift
  local args=(-S "$UI_REPO" -B "$dir")
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    command -v ninja >/dev/null 2>&1 && args+=(-G Ninja)
    if command -v ccache >/dev/null 2>&1; then
      args+=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    fi
  fi
  cmake "${args[@]}" "$@" >"$dir.configure.log" 2>&1 || {
    cat "$dir.configure.log"
    return 1
  }
}

ui_jobs() { nproc 2>/dev/null || echo 2; }

# ui_build DIR [TARGET...]
ui_build() {
  local dir=$1; shift
  local targets=()
  local t
  for t in "$@"; do targets+=(--target "$t"); done
  ui_run cmake --build "$dir" -j "$(ui_jobs)" "${targets[@]}"
}

ui_configure_win() {
  mkdir -p "$UI_BUILD"
  ui_configure "$UI_WIN_BUILD" \
    -DCMAKE_TOOLCHAIN_FILE="$UI_REPO/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release
}

ui_configure_native() {
  mkdir -p "$UI_BUILD"
  ui_configure "$UI_NATIVE_BUILD" -DUI_PORTABLE_ONLY=ON -DCMAKE_BUILD_TYPE=Debug
}
