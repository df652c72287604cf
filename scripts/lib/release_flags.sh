# Sourced by scripts/build and scripts/package, with $root set: Debian's compiler and linker
# flags (hardening among them) for both, so that the plain build and the package compile the
# same objects and ccache, when present, builds the package from the plain build's objects.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
release_flags=(
  -DCMAKE_CXX_FLAGS="$(cd "$root" && dpkg-buildflags --get CPPFLAGS) $(cd "$root" && dpkg-buildflags --get CXXFLAGS)"
  -DCMAKE_EXE_LINKER_FLAGS="$(cd "$root" && dpkg-buildflags --get LDFLAGS)"
)
