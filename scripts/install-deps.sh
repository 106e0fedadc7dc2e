#!/usr/bin/env bash
# Installs, from Debian's packages only, whatever this machine lacks to build and test Quillet.
#   install-deps.sh            native build and tests (compiler, CMake, GoogleTest, nlohmann-json,
#                              git: prmtool's tests use it as a diff driver, release.sh takes the commit;
#                              libacl and libattr: a save keeps ACLs and extended attributes)
#   install-deps.sh --windows  also the MinGW-w64 cross compilers, Wine (64-bit only) and fonts:
#                              WenQuanYi Micro Hei for Chinese, DejaVu Sans for Latin at high DPI,
#                              Wine's own (Marlett draws the caption buttons), and the stand-ins
#                              for the dialog fonts of Japanese, Traditional Chinese and English
#                              Windows (IPAGothic, AR PL UMing, Liberation Sans)
#   install-deps.sh --release  also what the release needs: zip, dpkg-shlibdeps and file (the zip and
#                              the .deb), lintian and mandoc (checking the .deb and its manual page),
#                              wixl and msitools (the MSIs), unzip (the installer test takes the
#                              programs from the zip)
#   install-deps.sh --display  also Xvfb (with xauth, which xvfb-run needs) and screenshot tools
set -euo pipefail

want=(g++ cmake make googletest libgtest-dev nlohmann-json3-dev libbenchmark-dev locales git libacl1-dev libattr1-dev)
for arg in "$@"; do
  case "$arg" in
    --windows) want+=(mingw-w64 wine wine64 fonts-wqy-microhei fonts-dejavu-core fonts-wine
                         fonts-ipafont-gothic fonts-arphic-uming fonts-liberation) ;;
    --display) want+=(xvfb xauth x11-apps imagemagick xdotool) ;;
    --release) want+=(zip unzip dpkg-dev file lintian mandoc wixl msitools) ;;
    --fuzz)    want+=(clang libclang-rt-14-dev) ;;
    --bench)   want+=(valgrind hyperfine) ;;
    *) echo "install-deps.sh: unknown option $arg" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

# A line per step: apt's own output goes to a log, shown only when a step fails.
say() { echo "install-deps.sh: $*"; }
log=$(mktemp)
trap 'rm -f "$log"' EXIT
failed() { say "$1 failed; apt said:"; tail -n 30 "$log" >&2; exit 1; }
sudo=""
[ "$(id -u)" -eq 0 ] || { sudo="sudo"; sudo -v; }  # any password asked for now, in the open
export DEBIAN_FRONTEND=noninteractive
# Another apt at work (an update, another install) is waited for, not failed on.
lock=(-o DPkg::Lock::Timeout=600)
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
