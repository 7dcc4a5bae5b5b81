# Shared by the e2e_setup_* scripts (sourced, not a test of its own): makes
# an installation medium in the test's folder and starts setup.exe from it.

# make_medium DIR: DIR gets setup.exe and a setup.ini made from standard
# input (UTF-8 here, Shift-JIS on the medium, as an author would save it).
make_medium() {
  local dir=$1
  mkdir -p "$dir"
  cp "$(setup_exe)" "$dir/setup.exe"
  iconv -f UTF-8 -t CP932 > "$dir/setup.ini"
}

# The medium most tests use: two list files, two shortcut lists, the
# uninstaller on, Japanese texts.
standard_medium() {
  make_medium "$1" <<'INI'
; ZARVEL test medium
[init]
BigTitle=ZARVEL  Setup
Title=ZARVEL セットアップ
msgA=横スクロール シューティング ZARVEL
msgB=   をインストールします。
msgD=インストール先を確かめてください。
CopyDir=Zarvel
DefaultRegistStartMenu=1
DefaultRegistSendTo=1
StartMenuGroup=ZARVEL

[UninstallSetting]
UseUninstaller=1
UninstallProgramName=zarvel_uninst.exe
RegName=Zarvel
ShowName=ZARVEL
ShowUninstallProgramName=ZARVEL

[Install]
tzk.exe
readme.txt

[StarMenuSet]
ZARVEL|tzk.exe

[DeskTopSet]
ZARVEL|tzk.exe
INI
  echo game > "$1/tzk.exe"
  echo readme > "$1/readme.txt"
}

# start_setup DIR [ARGS...]: starts setup.exe in DIR, prints its process id.
start_setup() {
  local dir=$1
  shift
  zd start --cwd "$(winpath "$dir")" "$(winpath "$dir/setup.exe")" "$@"
}

# The install dialog, found by its caption.
install_dialog() { echo --class '#32770' --title "$1"; }
