# Package lists shared by the run, test and benchmark commands.
BUILD_PACKAGES="cmake ninja-build g++ git googletest g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64 binutils-mingw-w64-i686"
# wine32 (i386) runs the 32-bit builder as it ships, beside the 64-bit applet.
WINE_PACKAGES="wine wine64 wine32:i386 xvfb xauth"
TEST_PACKAGES="clang libclang-rt-14-dev clang-format clang-tidy"
# Web servers the version check is tested against.
HTTP_TEST_PACKAGES="nginx-light python3"
BENCH_PACKAGES="libbenchmark-dev libspdlog-dev"
SCREENSHOT_PACKAGES="xdotool imagemagick"
# makensis builds the setup program (a 32-bit program, run by wine32).
INSTALLER_PACKAGES="nsis"
