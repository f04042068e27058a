#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, only those
# that are missing, so a second run costs nothing.
set -euo pipefail

build_pkgs=(cmake make g++ pkg-config qt6-base-dev libx11-dev libxcb1-dev libxtst-dev
    libxext-dev libsndfile1-dev libpulse-dev libdbus-1-dev libice-dev libsm-dev fonts-liberation2 fonts-dejavu-core)
test_pkgs=(xvfb xauth openbox xdotool x11-utils x11-xserver-utils imagemagick pulseaudio
    pulseaudio-utils sox libxss-dev desktop-file-utils x11-apps python3 clang libclang-rt-14-dev
    valgrind dbus python3-dbusmock appstream python3-xlib strace
    at-spi2-core python3-gi gir1.2-atspi-2.0)
# `make package`: CPack's DEB generator finds the program's library
# dependencies with dpkg-shlibdeps and recognises programs with file.
package_pkgs=(dpkg-dev file)
# `make desktop-test`: real screen savers, sessions and compositors, headless.
desktop_pkgs=()
# The clock under compositors with XWayland (e2e_compositors): KWin, mutter with
# its screen cast through PipeWire, sway; qt6-wayland makes a session's
# QT_QPA_PLATFORM=wayland real and runs the clock where there is no X at all,
# over swaybg's background.
desktop_pkgs+=(kwin-wayland mutter xwayland pipewire pipewire-bin wireplumber
    gstreamer1.0-pipewire gstreamer1.0-tools gstreamer1.0-plugins-good python3-dbus python3-gi
    sway qt6-wayland swaybg)
# The saver mode against real screen savers and sessions (e2e_real_savers).
# udev is pinned to the installed libudev1: otherwise apt upgrades systemd.
udev=udev
libudev=$(dpkg-query -W -f='${Version}' libudev1 2>/dev/null || true)
[ -n "$libudev" ] && udev="udev=$libudev"
desktop_pkgs+=(xscreensaver light-locker xdg-desktop-portal xdg-desktop-portal-gtk
    mate-session-manager mate-screensaver dconf-service libglib2.0-bin)
# GNOME's idle chain; mutter and xwayland come with the compositors' line.
desktop_pkgs+=(gnome-shell gnome-session-bin gnome-settings-daemon gjs xdg-desktop-portal-gnome
    "$udev")
# KDE Plasma 5.27: ksmserver's screen locker and PowerDevil on X11, KWin's
# own on Wayland (kwin-wayland above), and the portal's KDE backend.
desktop_pkgs+=(plasma-workspace powerdevil kwin-x11 kde-config-screenlocker xdg-desktop-portal-kde)
# Xfce, Cinnamon, LXQt and Budgie (e2e_real_savers_debian); light-locker and
# xscreensaver come with the lines above, xprintidle shows the X idle time.
desktop_pkgs+=(xfwm4 xfce4-session xfce4-power-manager xfconf cinnamon cinnamon-session
    cinnamon-screensaver muffin cinnamon-settings-daemon budgie-desktop lxqt-powermanagement
    lxqt-session lxqt-config lxqt-globalkeys lxqt-qtplugin xprintidle)
# The desktop mode under openbox, xfwm4, mutter and KWin ("show desktop",
# workspaces through wmctrl), and compositors that draw shadows
# (e2e_desktop_mode).
desktop_pkgs+=(wmctrl picom xcompmgr)
# The clock inside a sandbox as a Flatpak program sees it, its bus filtered.
desktop_pkgs+=(bubblewrap xdg-dbus-proxy)

want=("${build_pkgs[@]}")
case "${1:-}" in
--test) want+=("${package_pkgs[@]}" "${test_pkgs[@]}" lintian) ;;
--package) want+=("${package_pkgs[@]}") ;;
--desktop) want+=("${desktop_pkgs[@]}") ;;
esac

missing=()
for p in "${want[@]}"; do
    if ! dpkg-query -W -f='${Status}' "${p%%=*}" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=()
[ "$(id -u)" -ne 0 ] && SUDO=(sudo)
export DEBIAN_FRONTEND=noninteractive
# The system's own updates hold the dpkg lock for a while after boot: wait
# for them rather than fail. `update` ignores the timeout for the lists' lock,
# so it is tried again while someone else holds that.
apt=(apt-get -o DPkg::Lock::Timeout=300)
for try in $(seq 60); do
    out=$("${SUDO[@]}" "${apt[@]}" update -qq 2>&1) && break
    if ! grep -q 'Could not get lock' <<<"$out" || [ "$try" -eq 60 ]; then
        echo "$out" >&2
        exit 1
    fi
    [ "$try" -eq 1 ] && echo "Waiting for another package manager to finish..."
    sleep 5
done
"${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive "${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}"
