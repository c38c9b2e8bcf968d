#!/usr/bin/env bash
# The Debian package as a site gets it: built from this build tree, unpacked
# into a temporary root, its library asked for the registered classes, and
# its demo host started offscreen from there, opening a screen and printing
# through the report layouts of the installed shared folder.
#   package_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
src="$1"
build="$2"

deb="$(ZQVR_BUILD_DIR="$build" "$src/scripts/package.sh" | tail -n 1)"
root="$(mktemp -d)"
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"

fail() { echo "FAIL: $*" >&2; exit 1; }

lib="$(find "$root/usr/lib" -name 'libZQVRTpvs.so.0' | head -n 1)"
[ -n "$lib" ] || fail "no libZQVRTpvs.so.0 under /usr/lib"
libdir="$(dirname "$lib")"
for f in usr/bin/brevanto-host usr/share/brevanto/Rpt/Ticket.rpt usr/share/brevanto/Imagen/CFG_SL_1.png \
         usr/share/applications/brevanto-host.desktop usr/share/man/man1/brevanto-host.1.gz \
         usr/include/brevanto/component/ZQVRTpvs.h usr/include/brevanto/db_export.h; do
  [ -e "$root/$f" ] || fail "/$f is not in the package"
done
# Every library the host needs comes from the package or from the system, none from the build tree.
LD_LIBRARY_PATH="$libdir" ldd "$root/usr/bin/brevanto-host" >"$root/ldd.txt"
if grep -q "not found" "$root/ldd.txt" || grep -q "$build" "$root/ldd.txt"; then
  cat "$root/ldd.txt" >&2
  fail "the installed host does not resolve its libraries from the package"
fi

# The classes, through the installed library's exported function.
LD_LIBRARY_PATH="$libdir" python3 -c '
import ctypes, sys
lib = ctypes.CDLL(sys.argv[1])
lib.ZQVRTpvs_ListClasses.restype = ctypes.c_char_p
print(lib.ZQVRTpvs_ListClasses().decode())' "$lib" >"$root/classes.txt"
for cls in ZQVRTpvs.frmclsTpvs ZQVRTpvs.frmclsVisorTickets ZQVRTpvs.clsCfgPantallaTactil; do
  grep -qx "$cls" "$root/classes.txt" || { cat "$root/classes.txt" >&2; fail "$cls is not listed"; }
done

# The installed host: a screen opened offscreen and the article list printed
# through the layouts it finds in its shared folder.
mkdir -p "$root/home"
HOME="$root/home" XDG_CONFIG_HOME="$root/home/.config" XDG_DATA_HOME="$root/home/.local/share" \
  QT_QPA_PLATFORM=offscreen LD_LIBRARY_PATH="$libdir" \
  timeout 180 "$root/usr/bin/brevanto-host" --db "$root/demo.db" --config "$root/host.conf" \
    --open ZQVRTpvs.frmclsVisorTickets --pdf "$root/articulos.pdf" >"$root/host.out" 2>&1 \
  || { cat "$root/host.out" >&2; fail "the installed host failed"; }
grep -q "no tiene Rpt" "$root/host.out" && { cat "$root/host.out" >&2; fail "the host looked elsewhere for Rpt/"; }
grep -qx "RutaAplicacion = $root/usr/share/brevanto" "$root/host.conf" \
  || { cat "$root/host.conf" >&2; fail "RutaAplicacion is not the shared folder"; }
pdftotext "$root/articulos.pdf" "$root/articulos.txt"
grep -q "Artículos" "$root/articulos.txt" || fail "the printed list has no title"
grep -q "Leche entera 1 L" "$root/articulos.txt" || fail "the printed list has no articles"
echo "package $(basename "$deb"): installed layout, classes, host and reports checked"
