#!/usr/bin/env bash
# Installs the Debian 12 packages the build (and, with "test", the tests) need. Run as root;
# safe to run again.
set -euo pipefail
packages=(cmake make g++ mingw-w64 wine64 wine xvfb xauth fonts-wqy-microhei fonts-wine
          imagemagick x11-utils)
if [ "${1:-}" = "test" ]; then
  packages+=(googletest libgtest-dev clang libclang-rt-14-dev)
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${packages[@]}" >/dev/null
