# Sourced by the run and test scripts: a Wine prefix inside the build tree, a
# display (the user's, or a virtual one), Wine's virtual desktop with its
# notification area, and a persistent wineserver.
#
#   wine_session_start PREFIX [own-display]
#   wine_two_monitor_session_start PREFIX [WIDTHxHEIGHT]
#   wine_session_stop
#
# YOMORINA_DPI (e.g. 144) gives a new prefix that many dots per inch; keep such
# a prefix apart from the 96 dpi one the tests use.

export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all,err+module}
# No .NET or browser installers; and no menu builder, which Wine starts on every
# shortcut saved and which holds the file open for a moment: a delete then fails.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Wine takes its code page from the locale it starts in. A shell told to use a
# locale that is not generated yet warns, and so does every bash started from
# it, so the locale is made (with what else a fresh machine lacks) first.
"$(dirname "${BASH_SOURCE[0]}")/install-deps.sh"
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8

YOMORINA_DESKTOP_SIZE=${YOMORINA_DESKTOP_SIZE:-1280x800}
_yomorina_xvfb_pid=""
_yomorina_xephyr_pid=""

# An X server started with -displayfd writes its display number once it is ready.
_yomorina_use_display() {
  local fd_file="$1"
  for _ in $(seq 1 100); do
    [ -s "$fd_file" ] && break
    sleep 0.1
  done
  export DISPLAY=":$(head -n1 "$fd_file")"
  rm -f "$fd_file"
}

_yomorina_start_xvfb() {
  local fd_file size="${1:-$YOMORINA_DESKTOP_SIZE}"
  fd_file=$(mktemp)
  Xvfb -displayfd 1 -screen 0 "${size}x24" -nolisten tcp >"$fd_file" 2>/dev/null &
  _yomorina_xvfb_pid=$!
  _yomorina_use_display "$fd_file"
}

_yomorina_prepare_prefix() {
  local marker="$WINEPREFIX/.yomorina-ready"
  [ -f "$marker" ] && return 0
  echo "Preparing the Wine prefix in $WINEPREFIX (about 10 s, once)"
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 </dev/null
  wineserver -w
  local reg
  reg=$(mktemp --suffix=.reg)
  # Wine's virtual desktop gives every run a notification area; the font
  # substitutes give the dialogs' "ＭＳ Ｐゴシック" a proportional face; the
  # associations let tests open documents.
  {
    printf '\xff\xfe'
    sed 's/$/\r/' <<REG | iconv -f UTF-8 -t UTF-16LE
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]
"Default"="${YOMORINA_DESKTOP_SIZE}"

[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]
"ＭＳ Ｐゴシック"="IPAPGothic"
"ＭＳ ゴシック"="IPAGothic"
"MS PGothic"="IPAPGothic"
"MS Gothic"="IPAGothic"
"MS UI Gothic"="IPAPGothic"
"MS Shell Dlg"="IPAPGothic"
"MS Shell Dlg 2"="IPAPGothic"

[HKEY_CLASSES_ROOT\\.txt]
@="txtfile"

[HKEY_CLASSES_ROOT\\.html]
@="htmlfile"

[HKEY_CLASSES_ROOT\\.htm]
@="htmlfile"
REG
    if [ -n "${YOMORINA_DPI:-}" ]; then
      printf '\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"LogPixels"=dword:%08x\n' "$YOMORINA_DPI" |
        sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE
    fi
  } >"$reg"
  wine regedit /S "$(winepath -w "$reg")" >/dev/null 2>&1 </dev/null
  wineserver -w
  rm -f "$reg"
  touch "$marker"
}

# Debian's Wine keeps its own fonts (Marlett draws the caption buttons) in a
# data folder that it never loads; without them every title bar shows the
# letters "0 1 r". Copied each start so that older prefixes are mended too.
# Whenever a program starts in another code page than the last one (the
# English tests and pictures do), Wine puts back its own substitute for the
# "MS Shell Dlg" of menus, title bars and the taskbar: "MS UI Gothic", a face
# this system lacks, so the fixed-pitch IPAゴシック. A replacement makes that
# face exist, whatever the substitutes say; once for older prefixes too.
_yomorina_mend_fonts() {
  local fonts=/usr/share/wine/fonts marker="$WINEPREFIX/.yomorina-font-replacements"
  if [ -d "$fonts" ]; then
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp -n "$fonts"/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  fi
  [ -f "$marker" ] && return 0
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS UI Gothic' /d IPAPGothic /f >/dev/null 2>&1 </dev/null
  wineserver -w
  touch "$marker"
}

wine_session_start() {
  export WINEPREFIX="$1"
  local own_display="${2:-}"
  if [ -n "$own_display" ] || [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    _yomorina_start_xvfb
  fi
  _yomorina_prepare_prefix
  _yomorina_mend_fonts
  # A persistent server, started before anything captures output: Wine's
  # helpers inherit stdout and would keep a capturing caller waiting.
  wineserver -p >/dev/null 2>&1 </dev/null
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
}

# Two monitors side by side, the primary on the right, so the left one lies at
# negative x: by default a 1280 x 800 primary and a 1024 x 768 left one, or
# two of the size given. Xvfb's own Xinerama stacks its screens at (0, 0), and
# RandR on Xvfb shows one screen whatever --setmonitor says; Xephyr places its
# screens with -origin. Wine sees the heads through Xinerama once its RandR use
# is off, and only outside its virtual desktop (which is always one monitor).
wine_two_monitor_session_start() {
  export WINEPREFIX="$1"
  local primary="${2:-1280x800}" left="${2:-1024x768}"
  local left_width=${left%x*} primary_height=${primary#*x} left_height=${left#*x}
  local height=$((primary_height > left_height ? primary_height : left_height))
  _yomorina_start_xvfb "$((left_width + ${primary%x*}))x$height"
  local fd_file
  fd_file=$(mktemp)
  Xephyr -displayfd 1 +xinerama -origin "$left_width,0" -screen "$primary" -origin 0,0 -screen "$left" \
    -nolisten tcp >"$fd_file" 2>/dev/null &
  _yomorina_xephyr_pid=$!
  _yomorina_use_display "$fd_file"
  _yomorina_prepare_prefix
  _yomorina_mend_fonts
  if [ ! -f "$WINEPREFIX/.yomorina-two-monitors" ]; then
    wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1 </dev/null || true
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f >/dev/null 2>&1 </dev/null
    wineserver -w
    touch "$WINEPREFIX/.yomorina-two-monitors"
  fi
  wineserver -p >/dev/null 2>&1 </dev/null
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
}

wine_session_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$_yomorina_xephyr_pid" ]; then
    kill "$_yomorina_xephyr_pid" 2>/dev/null || true
    wait "$_yomorina_xephyr_pid" 2>/dev/null || true
    _yomorina_xephyr_pid=""
  fi
  if [ -n "$_yomorina_xvfb_pid" ]; then
    kill "$_yomorina_xvfb_pid" 2>/dev/null || true
    wait "$_yomorina_xvfb_pid" 2>/dev/null || true
    _yomorina_xvfb_pid=""
  fi
}
