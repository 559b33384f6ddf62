#!/usr/bin/env bash
# Installs, as root on Debian 12, the packages the build, the tests and the
# demonstration need, when they are missing.
set -euo pipefail
packages=(
    cmake ninja-build pkg-config g++ clang libclang-rt-14-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    libcairo2-dev libsndfile1-dev portaudio19-dev fonts-dejavu-core
    python3 python3-ezdxf
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]} > 0)); then
    echo "setup: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
