#!/usr/bin/env bash
# Installs, from Debian's packages only, whatever this machine lacks to build and test Quillet.
#   install-deps.sh            native build and tests (compiler, CMake, GoogleTest, nlohmann-json,
#                              git: prmtool's tests use it as a diff driver, release.sh takes the commit;
#                              libacl and libattr: a save keeps ACLs and extended attributes)
#   install-deps.sh --windows  also the MinGW-w64 cross compilers, Wine (64-bit only) and fonts:
#                              a Linux desktop's (WenQuanYi Micro Hei, DejaVu Sans), Wine's own
#                              (Marlett draws the caption buttons), and those the stand-ins for
#                              Windows' fonts are made from (AR PL UMing, WenQuanYi Micro Hei,
#                              IPAGothic, Liberation Sans) with fontTools, which renames them
#   install-deps.sh --release  also what the release needs: zip, dpkg-shlibdeps and file (the zip and
#                              the .deb), lintian and mandoc (checking the .deb and its manual page),
#                              wixl and msitools (the MSIs), unzip (the installer test takes the
#                              programs from the zip)
#   install-deps.sh --display  also Xvfb (with xauth, which xvfb-run needs) and screenshot tools
#   install-deps.sh --kaitai   also node and npm, and through npm the Kaitai Struct compiler and runtime
#                              that check the format description (tests/kaitai, as its package-lock.json
#                              pins them); that check then runs offline
set -euo pipefail

kaitai=""

want=(g++ cmake make googletest libgtest-dev nlohmann-json3-dev libbenchmark-dev locales git libacl1-dev libattr1-dev)
for arg in "$@"; do
  case "$arg" in
    --windows) want+=(mingw-w64 wine wine64 fonts-wqy-microhei fonts-dejavu-core fonts-wine
                         fonts-ipafont-gothic fonts-arphic-uming fonts-liberation python3-fonttools) ;;
    --display) want+=(xvfb xauth x11-apps imagemagick xdotool) ;;
    --release) want+=(zip unzip dpkg-dev file lintian mandoc wixl msitools) ;;
    --fuzz)    want+=(clang libclang-rt-14-dev) ;;
    --bench)   want+=(valgrind hyperfine) ;;
    --kaitai)  want+=(nodejs); kaitai=1
               command -v npm >/dev/null || want+=(npm) ;;  # a node from elsewhere brings its own
    *) echo "install-deps.sh: unknown option $arg" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

# A line per step: apt's own output goes to a log, shown only when a step fails.
say() { echo "install-deps.sh: $*"; }
install_packages() {
  local sudo="" apt
  log=$(mktemp)
  trap 'rm -f "$log"' EXIT
  failed() { say "$1 failed; apt said:"; tail -n 30 "$log" >&2; exit 1; }
  [ "$(id -u)" -eq 0 ] || { sudo="sudo"; sudo -v; }  # any password asked for now, in the open
  export DEBIAN_FRONTEND=noninteractive
  # Another apt at work (an update, another install) is waited for, not failed on.
  local lock=(-o DPkg::Lock::Timeout=600)
  say "${#missing[@]} packages to install: ${missing[*]}"
  say "updating the package lists"
  $sudo apt-get "${lock[@]}" update -q >"$log" 2>&1 || failed "apt-get update"
  say "downloading and installing them with what they need (Wine alone takes a few minutes)"
  # wine32 must never come in: this kernel cannot run it and it breaks the wine wrapper.
  $sudo apt-get "${lock[@]}" install -y -q --no-install-recommends "${missing[@]}" >"$log" 2>&1 &
  apt=$!
  # From apt's log as it grows: how many packages in all, the download, each package asked for.
  tail -n +1 -f --pid=$apt "$log" | awk -v asked=" ${missing[*]} " '
    / newly installed/ { print "  " $3 " packages in all, with what they need"; fflush() }
    /^Fetched /        { print "  downloaded " $2 " " $3 " in " $5; fflush() }
    /^Setting up /     { name = $3; sub(/:.*/, "", name); if (index(asked, " " name " ")) { print "  set up " name; fflush() } }'
  wait $apt || failed "apt-get install"
  say "done"
}
[ ${#missing[@]} -eq 0 ] || install_packages

# npm keeps a copy of the lock file it installed; an older one means the pins changed since.
kaitai_dir="$(dirname "$0")/../tests/kaitai"
if [ -n "$kaitai" ] && ! [ "$kaitai_dir/node_modules/.package-lock.json" -nt "$kaitai_dir/package-lock.json" ]; then
  say "installing the npm packages of tests/kaitai"
  (cd "$kaitai_dir" && npm ci --no-audit --no-fund --ignore-scripts --loglevel=error)
fi
