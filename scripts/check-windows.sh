#!/usr/bin/env bash
# Builds and checks the Windows versions of the tool; exits non-zero on any
# failure. Steps:
#  1. The tools are there (each missing one is named with its Debian package).
#  2. Builds the Linux default preset (the reference, and the end-to-end test
#     programs), then the windows-x86 and windows-x64 presets.
#  3. The .exe files are PE32 for Intel 80386 and PE32+ for x86-64, import
#     no DLL beyond the system's, and the x86 build multiplies with SSE2 and
#     never with the x87 unit.
#  4. Runs the end-to-end tests against the x64 .exe under wine.
#  5. Compares the Linux and the x64 Windows outputs, byte for byte.
#  6. Builds the packages (a .deb from the Linux build, a .zip from each
#     Windows build) and checks what they hold, and that the man page
#     renders without warnings (when groff is there).
#
# VERTIGROW_LINUX_BUILD names the Linux build folder (default: build, the
# default preset's), VERTIGROW_WINE the wine (default /usr/lib/wine/wine64).
# The Windows builds are build-windows-x86 and build-windows-x64; the wine
# prefix lives in build-windows-x64/wineprefix.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
linux_build=${VERTIGROW_LINUX_BUILD:-build}
wine=${VERTIGROW_WINE:-/usr/lib/wine/wine64}
export VERTIGROW_WINE=$wine
# wine_run.sh notes here each run that wine failed to start and tried again.
export VERTIGROW_WINE_RETRY_LOG=$root/build-windows-x64/wine-retries.log

step() { printf '\n=== %s\n' "$*"; }
fail() {
  echo "check-windows: $*" >&2
  exit 1
}

step "Tools"
missing=()
need() {
  command -v "$1" >/dev/null || missing+=("$1 (Debian package $2)")
}
need cmake cmake
need cpack cmake
need g++ g++
need i686-w64-mingw32-g++-win32 g++-mingw-w64-i686
need x86_64-w64-mingw32-g++-win32 g++-mingw-w64-x86-64
need i686-w64-mingw32-objdump binutils-mingw-w64-i686
need x86_64-w64-mingw32-objdump binutils-mingw-w64-x86-64
need "$wine" wine64
need file file
need nm binutils
need dpkg-deb dpkg
need gzip gzip
need cmp diffutils
need diff diffutils
if ((${#missing[@]} > 0)); then
  printf 'missing: %s\n' "${missing[@]}" >&2
  exit 1
fi
echo "all there"

step "Builds"
cmake --preset default -B "$linux_build"
cmake --build "$linux_build" -j2
for preset in windows-x86 windows-x64; do
  cmake --preset "$preset"
  cmake --build --preset "$preset"
done
x86_exe=build-windows-x86/vertigrow.exe
x64_exe=build-windows-x64/vertigrow.exe

step "Executable types and imports"
check_type() {
  local kind
  kind=$(file -b "$1")
  echo "$1: $kind"
  [[ $kind == "$2"* ]] || fail "$1 is not a $2"
}
check_type "$x86_exe" "PE32 executable (console) Intel 80386"
check_type "$x64_exe" "PE32+ executable (console) x86-64"
# Only DLLs every Windows has: the static link must leave no libstdc++,
# libgcc or winpthread DLL behind.
for exe in "$x86_exe" "$x64_exe"; do
  dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | sort -u)
  echo "$exe imports: $(tr "\n" " " <<<"$dlls")"
  while IFS= read -r dll; do
    case ${dll,,} in
      kernel32.dll | msvcrt.dll | user32.dll | advapi32.dll | shell32.dll | ntdll.dll) ;;
      *) fail "$exe needs $dll" ;;
    esac
  done <<<"$dlls"
done
# The tool's own code of the x86 build: products are SSE2 mulsd; no x87
# multiply or divide, which would compute in 80 bits. (x87 loads, stores and
# the add of an unsigned 64-bit conversion are exact and allowed.)
x86_objects=()
while IFS= read -r -d '' object; do x86_objects+=("$object"); done \
  < <(find build-windows-x86/src -name '*.obj' -print0)
((${#x86_objects[@]} > 0)) || fail "no objects in build-windows-x86/src"
mnemonics=$(i686-w64-mingw32-objdump -d --no-show-raw-insn "${x86_objects[@]}" |
  awk -F'\t' 'NF >= 2 {split($2, word, " "); print word[1]}' | sort -u)
x87_math=$(grep -E '^f(i?mul|i?div|sqrt|prem|scale|sin|cos|patan|ptan|yl2x|2xm1)' <<<"$mnemonics" || true)
[[ -z $x87_math ]] || fail "x87 arithmetic in the x86 build: $(tr '\n' ' ' <<<"$x87_math")"
grep -qx mulsd <<<"$mnemonics" || fail "no SSE2 mulsd in the x86 build"
echo "x86 build: SSE2 products, no x87 multiply or divide"

# One wine session for both steps under wine; the scripts of both join it.
# shellcheck source-path=SCRIPTDIR/.. source=tests/compare/wine_session.sh
source tests/compare/wine_session.sh
trap wine_session_stop EXIT
step "Starting wine"
wine_session_start "$root/build-windows-x64/wineprefix"
rm -f "$VERTIGROW_WINE_RETRY_LOG"

step "End-to-end tests of the x64 build under wine"
tests/compare/e2e_under_wine.sh "$linux_build" "$x64_exe"

step "Linux and Windows x64 outputs compared"
tests/compare/compare_outputs.sh "$linux_build/vertigrow" "$x64_exe"

if [[ -s $VERTIGROW_WINE_RETRY_LOG ]]; then
  echo "wine failed to start $(wc -l <"$VERTIGROW_WINE_RETRY_LOG") run(s); each was tried again:"
  cat "$VERTIGROW_WINE_RETRY_LOG"
fi

step "Packages"
(cd "$linux_build" && cpack -G DEB)
for arch in x86 x64; do
  (cd "build-windows-$arch" && cpack -G ZIP)
done
version=$(sed -n 's/^project(vertigrow VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[[ -n $version ]] || fail "no version in CMakeLists.txt"
debs=("$linux_build"/vertigrow_"$version"_*.deb)
[[ -f ${debs[0]} ]] || fail "no .deb in $linux_build"
deb_files=$(dpkg-deb -c "${debs[0]}" | awk '{print $NF}')
for path in ./usr/bin/vertigrow ./usr/share/man/man1/vertigrow.1.gz ./usr/share/doc/vertigrow/LICENSE; do
  grep -qx "$path" <<<"$deb_files" || fail "${debs[0]} lacks $path"
done
echo "${debs[0]}: $(dpkg-deb -f "${debs[0]}" Package Version Architecture Depends | tr '\n' ' ')"
zip_needs=(vertigrow.exe LICENSE)
if [[ -f README.md ]]; then zip_needs+=(README.md); fi
for arch in x86 x64; do
  zip=build-windows-$arch/vertigrow-$version-windows-$arch.zip
  [[ -f $zip ]] || fail "no $zip"
  zip_files=$(cmake -E tar tf "$zip")
  for name in "${zip_needs[@]}"; do
    grep -qx "vertigrow-$version-windows-$arch/$name" <<<"$zip_files" || fail "$zip lacks $name"
  done
  echo "$zip: $(tr "\n" " " <<<"$zip_files")"
done

if command -v groff >/dev/null; then
  warnings=$(groff -man -Tutf8 -ww -z man/vertigrow.1 2>&1)
  [[ -z $warnings ]] || fail "the man page renders with warnings: $warnings"
  echo "man/vertigrow.1 renders without warnings"
fi

step "All Windows checks passed"
