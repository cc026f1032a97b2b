#!/usr/bin/env bash
# Builds the Debian package from the release build with Debian's hardening flags, checks it with
# lintian (any error fails; warnings are printed) and prints the package's path last.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh $(cat scripts/packages-build.txt scripts/packages-package.txt)

# Debian's compiler and linker flags for packages, and a build date taken from the last commit
# so that the same source gives the same package.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || date +%s)}
export SOURCE_DATE_EPOCH
cmake --preset package >/dev/null \
    -DCMAKE_C_FLAGS="$(dpkg-buildflags --get CFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
rm -f build/package/quillmere-timer_*.deb
cmake --build --preset package
deb=$(ls build/package/quillmere-timer_*.deb)

# The newest entry of the Debian changelog must name the version being packaged.
packaged=$(dpkg-deb --field "$deb" Version)
logged=$(dpkg-parsechangelog -l packaging/changelog -S Version)
if [ "$packaged" != "$logged" ]; then
    echo "packaging/changelog starts with $logged, the package is $packaged: add an entry" >&2
    exit 1
fi

# Every error fails, and every warning but those accepted here, each for the reason given:
# initial-upload-closes-no-bugs: the package is for our users, not uploaded to Debian, so there
#   is no "intent to package" bug to close.
accepted="initial-upload-closes-no-bugs"
report=$(lintian --display-info "$deb" 2>&1 | grep -v 'running with root privileges' || true)
echo "lintian $deb:"
echo "${report:-(nothing to report)}"
if grep -E '^[EW]: ' <<<"$report" | grep -v -E ": ($accepted) " >&2; then
    echo "lintian: the errors or warnings above need fixing" >&2
    exit 1
fi
echo "$deb"
