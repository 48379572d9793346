#!/usr/bin/env bash
# Opens the release packages that scripts/package.sh made and checks one
# named case. Usage: package_cases.sh DIST VERSION SOURCE_DIR CASE
set -uo pipefail
export LC_ALL=C

dist=$1
version=$2
src=$3
case_name=$4
zip=$dist/Rezov-$version-windows.zip
deb=$dist/rezov_${version}_amd64.deb
example=$src/examples/moscow-championship.adi
expected_summary=$src/examples/expected-summary.txt
scratch=$(mktemp -d "${TMPDIR:-/tmp}/rezov-package-$case_name-XXXXXX")
trap 'rm -rf "$scratch"' EXIT
failures=0

fail() {
  echo "FAIL [$case_name]: $*" >&2
  failures=$((failures + 1))
}

# same WHAT EXPECTED ACTUAL
same() {
  [ "$2" = "$3" ] || fail "$1:"$'\n'"expected:"$'\n'"$2"$'\n'"actual:"$'\n'"$3"
}

for package in "$zip" "$deb"; do
  [ -f "$package" ] || { echo "FAIL [$case_name]: no $package" >&2; exit 1; }
done

case "$case_name" in
  zip_contents)
    same "the zip's files" "INSTALL.txt
LICENSE.txt
rezov.exe
x64/
x64/Rezov.dll
x86/
x86/Rezov.dll" "$(unzip -Z1 "$zip" | sort)"
    unzip -q "$zip" -d "$scratch"
    # Each binary where the install guide says, of its bitness.
    while IFS='|' read -r file kind; do
      file -b "$scratch/$file" | grep -q "^$kind" || fail "$file is $(file -b "$scratch/$file")"
    done <<'TABLE'
x86/Rezov.dll|PE32 executable (DLL).* Intel 80386
x64/Rezov.dll|PE32+ executable (DLL).* x86-64
rezov.exe|PE32+ executable (console) x86-64
TABLE
    guide=$scratch/INSTALL.txt
    same "the guide's first bytes" "efbbbf" "$(head -c 3 "$guide" | od -An -tx1 | tr -d ' ')"
    [ "$(grep -c $'\r$' "$guide")" -eq "$(wc -l <"$guide")" ] || fail "a line of INSTALL.txt lacks CR LF"
    russian=$(grep -n '^Установка' "$guide" | cut -d: -f1)
    english=$(grep -n '^Installing' "$guide" | cut -d: -f1)
    [ -n "$russian" ] && [ -n "$english" ] && [ "$russian" -lt "$english" ] ||
      fail "INSTALL.txt must hold the Russian guide, then the English one"
    cmp -s "$scratch/LICENSE.txt" "$src/LICENSE" || fail "LICENSE.txt differs from LICENSE"
    ;;
  zip_tool)
    # The zip's 64-bit rezov.exe under Wine finds x64/Rezov.dll by itself.
    unzip -q "$zip" -d "$scratch/zip"
    export WINEPREFIX=${REZOV_WINE_PREFIX:-$src/build/wine-prefix}
    . "$src/scripts/wine-prefix.sh"
    prepare_wine_prefix
    # The summary's date in the Russian form, as the other Wine tests have it.
    wine() { env LC_ALL=ru_RU.UTF-8 wine "$@"; }
    same "rezov.exe --version" "rezov $version" "$(wine "$scratch/zip/rezov.exe" --version | tr -d '\r')"
    out=$(wine "$scratch/zip/rezov.exe" score "Z:$example" --workdir "Z:$scratch/w" \
      --cty Z:/usr/share/hamradio-files/cty.dat 2>"$scratch/err" | tr -d '\r')
    same "rezov.exe score" "$(cat "$expected_summary")" "$out"
    wineserver -w
    ;;
  deb_contents)
    same "the .deb's files" "drwxr-xr-x ./usr/
drwxr-xr-x ./usr/bin/
-rwxr-xr-x ./usr/bin/rezov
drwxr-xr-x ./usr/lib/
drwxr-xr-x ./usr/lib/rezov/
-rw-r--r-- ./usr/lib/rezov/Rezov.so
drwxr-xr-x ./usr/share/
drwxr-xr-x ./usr/share/doc/
drwxr-xr-x ./usr/share/doc/rezov/
-rw-r--r-- ./usr/share/doc/rezov/copyright
drwxr-xr-x ./usr/share/man/
drwxr-xr-x ./usr/share/man/man1/
-rw-r--r-- ./usr/share/man/man1/rezov.1.gz" "$(dpkg-deb -c "$deb" | awk '{print $1, $6}' | sort -k2)"
    same "the owners" "root/root" "$(dpkg-deb -c "$deb" | awk '{print $2}' | sort -u)"
    ;;
  deb_control)
    while IFS='|' read -r field pattern; do
      value=$(dpkg-deb -f "$deb" "$field")
      grep -Eq "$pattern" <<<"$value" || fail "$field: '$value' does not match $pattern"
    done <<TABLE
Package|^rezov$
Version|^${version//./\\.}$
Architecture|^amd64$
Section|^hamradio$
Depends|(^|, )libc6 \(>= [0-9.]+\)(,|$)
Depends|(^|, )libstdc\+\+6 \(>= [0-9.]+\)(,|$)
Recommends|^hamradio-files$
TABLE
    ;;
  deb_installed)
    # Unpacked into a scratch root, the tool finds the module in
    # ../lib/rezov and scores the example; the manual page is gzip -9n.
    root=$scratch/root
    dpkg -x "$deb" "$root"
    same "rezov --version" "rezov $version" "$("$root/usr/bin/rezov" --version)"
    out=$("$root/usr/bin/rezov" score "$example" --workdir "$scratch/w" 2>"$scratch/err")
    same "rezov score" "$(cat "$expected_summary")" "$out"
    man=$root/usr/share/man/man1/rezov.1.gz
    same "the gzip header (no name, no time)" "1f8b080000000000" \
      "$(head -c 8 "$man" | od -An -tx1 | tr -d ' \n')"
    same "the manual page" "$(cat "$src/packaging/rezov.1")" "$(gzip -dc "$man")"
    ;;
  *)
    echo "unknown case $case_name" >&2
    exit 2
    ;;
esac

[ "$failures" -eq 0 ]
