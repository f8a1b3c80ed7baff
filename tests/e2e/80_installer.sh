#!/usr/bin/env bash
# The installer as a Windows user gets it, built by scripts/dist around the programs under test
# and run silently (/S) in a copy of the prefix: the program's files in the user's own folder,
# the Start menu and Startup shortcuts, the entry of the installed programs' list; the program
# started from its shortcut writes its reminders there, and its "Start with Windows" takes the
# installer's shortcut for its own; an update over a running copy closes it (which saves) and
# keeps the reminders, and keeps the start with Windows as the user left it; the uninstaller
# removes the rest and keeps the reminders too.
source "$(dirname "$0")/lib.sh"

if ! command -v makensis >/dev/null; then
  skip_scenario makensis "makensis is missing; scripts/install-deps installs it (Debian package nsis)"
fi
dist_dir="$APP_DIR/dist"
"$PELLINO_ROOT/scripts/dist" "$WIN32_DIR" "$dist_dir" >"$APP_DIR/dist.log" 2>&1 ||
  fail "scripts/dist: $(cat "$APP_DIR/dist.log")"
setup=$(ls "$dist_dir"/Pellino-*-setup.exe)
version=$(basename "$setup" -setup.exe)
version=${version#Pellino-}

use_own_prefix
wineserver -p >/dev/null 2>&1 || true

# The user's folders, as Windows names them and where they lie on this disk (drive C: is the
# prefix's drive_c).
folders=$(wine cmd /c 'echo %LOCALAPPDATA%^|%APPDATA%' 2>/dev/null | tr -d '\r')
local_app_data=${folders%%|*}
app_data=${folders#*|}
[[ $local_app_data == C:\\* && $app_data == C:\\* ]] || fail "the user's folders: $folders"
unix_path() { local p=${1#C:\\}; echo "$WINEPREFIX/drive_c/${p//\\//}"; }
install_dir="$local_app_data\\Programs\\Pellino"
programs="$app_data\\Microsoft\\Windows\\Start Menu\\Programs"
startup_lnk="$programs\\StartUp\\Pellino!.lnk"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Pellino'
INSTALLED=$(unix_path "$install_dir")

# The values of the uninstall entry, one "NAME TYPE VALUE" a line.
uninstall_entry() {
  wine reg query "$uninstall_key" 2>/dev/null | tr -d '\r' | awk '$2 ~ /^REG_/ { $1 = $1; print }'
}
# The data file's records, as pellino-dat shows them.
stored_records() {
  (cd "$INSTALLED" && wine "$WIN32_DIR/pellino-dat.exe" dump Pellino.dat 2>/dev/null) |
    tr -d '\r' | grep '^record' || true
}

echo "== a fresh installation"
wine "$setup" /S || fail "the silent installation failed"
expect_eq "$(cd "$INSTALLED" && ls | tr '\n' ' ')" \
  "PELLINO.CHM PELLINO.EXE PELLINO.HLP README.TXT Uninstall.exe pellino-dat.exe " \
  "the installed files"
cmp -s "$INSTALLED/PELLINO.EXE" "$WIN32_DIR/PELLINO.EXE" || fail "PELLINO.EXE is not the one built"
# The Start menu's three, in its folder "Pellino!", then the Startup shortcut, which starts the
# program minimised without taking the focus (7), as Explorer's "Run: Minimized". The help is
# the HTML Help file: Wine is a later Windows.
expect_eq "$(drive shortcut "$programs\\Pellino!\\Pellino!.lnk" \
  "$programs\\Pellino!\\Pellino! Help.lnk" "$programs\\Pellino!\\Uninstall Pellino!.lnk" \
  "$startup_lnk")" "$install_dir\\PELLINO.EXE|1|$install_dir|
$install_dir\\PELLINO.CHM|1|$install_dir|
$install_dir\\Uninstall.exe|1|$install_dir|
$install_dir\\PELLINO.EXE|7|$install_dir|" "the shortcuts"
size_kb=$(du -sk --apparent-size "$INSTALLED" | cut -f1)
entry=$(uninstall_entry)
echo "$entry"
expected_entry="DisplayIcon REG_SZ $install_dir\\PELLINO.EXE,0
DisplayName REG_SZ Pellino!
DisplayVersion REG_SZ $version
InstallLocation REG_SZ $install_dir
NoModify REG_DWORD 0x1
NoRepair REG_DWORD 0x1
Publisher REG_SZ The Pellino developers
QuietUninstallString REG_SZ \"$install_dir\\Uninstall.exe\" /S
UninstallString REG_SZ \"$install_dir\\Uninstall.exe\""
expect_eq "$(grep -v EstimatedSize <<<"$entry")" "$expected_entry" "the uninstall entry"
estimated=$(($(awk '/EstimatedSize/ { print $3 }' <<<"$entry")))
# The program files' size in kilobytes, give or take the uninstaller's.
[ "$estimated" -gt $((size_kb / 2)) ] && [ "$estimated" -le "$size_kb" ] ||
  fail "the estimated size is $estimated KB for $size_kb KB of files"

echo "== the program, started from the Start menu's shortcut"
wine start "$programs\\Pellino!\\Pellino!.lnk" >/dev/null 2>&1 || fail "the shortcut did not start"
LAUNCHED=1
drive wait "Pellino!" 20000 || fail "the installed program's window did not appear"
# File > "Start with Windows" finds the installer's shortcut to be its own: the dropped-down menu
# shows it checked, and the item removes it; then the menu shows it unchecked, and the item makes
# the shortcut again. Another process cannot read the menu, so the screen tells the check mark:
# the strip left of the captions, where it shows, must differ between the two.
drop_file_menu() {
  drop_menu "Pellino!" f
  sleep 0.3
  screenshot "installer-menu-$1"
  read -r left top _ < <(drive rect "Pellino!")
  convert "$PELLINO_E2E_OUT/installer-menu-$1.png" -crop 24x160+$((left + 4))+$((top + 40)) \
    +repage "$APP_DIR/marks-$1.png" || fail "the screenshot could not be cut"
}
drop_file_menu checked
drive key "Pellino!" - 0 87 || fail "W did not reach the menu"
for _ in $(seq 1 50); do [ -f "$(unix_path "$startup_lnk")" ] || break; sleep 0.1; done
[ ! -f "$(unix_path "$startup_lnk")" ] || fail "File > Start with Windows left the shortcut"
drop_file_menu unchecked
drive key "Pellino!" - 0 87 || fail "W did not reach the menu"
differing=$(compare -metric AE "$APP_DIR/marks-checked.png" "$APP_DIR/marks-unchecked.png" null: 2>&1 || true)
echo "pixels differing where the check mark shows: $differing"
# The check mark alone: a few dozen pixels at this resolution.
[[ $differing =~ ^[0-9]+$ ]] && [ "$differing" -gt 10 ] && [ "$differing" -lt 200 ] ||
  fail "the menu did not show the check mark with the Startup shortcut and none without it"
for _ in $(seq 1 50); do [ -f "$(unix_path "$startup_lnk")" ] && break; sleep 0.1; done
expect_eq "$(drive shortcut "$startup_lnk")" "$install_dir\\PELLINO.EXE|7|$install_dir|" \
  "the Startup shortcut the program made"
drive close "Pellino!"
drive gone "Pellino!" 10000 || fail "the program did not end"
# Its settings go beside it, so the folder is one the program can write to; with nothing changed
# it writes no data file.
[ -f "$INSTALLED/PELLINO.INI" ] || fail "the program wrote no PELLINO.INI in its folder"

echo "== an update over a running copy with reminders"
(cd "$INSTALLED" && wine "$WIN32_DIR/pellino-dat.exe" make Pellino.dat >/dev/null 2>&1) <<EOF ||
list one-time
record Kind=0 NotifyMode=1 DueDateTime=$(date_time_value 86400) FirstTime=0 StopTime=0 HasUntil=false Description="Kept over the update" SoundFile="" DaySet="" IntervalMinutes=0 Status=3 ReservedFlag=false
end
EOF
  fail "the reminders could not be written"
before=$(stored_records)
[ -n "$before" ] || fail "no reminder before the update"
(cd "$INSTALLED" && wine "$E2E" launch PELLINO.EXE 1 >/dev/null 2>&1) || fail "no running copy"
drive wait "Pellino!" 20000 || fail "the running copy's window did not appear"
# The update asks the running copy to close (its close command writes what is not saved yet;
# here everything is) and waits for it.
wine "$setup" /S || fail "the silent update failed"
drive gone "Pellino!" 1000 || fail "the update left the running copy running"
expect_eq "$(stored_records)" "$before" "the reminders after the update"
cp "$INSTALLED/Pellino.dat" "$APP_DIR/updated.dat"
cmp -s "$INSTALLED/PELLINO.EXE" "$WIN32_DIR/PELLINO.EXE" || fail "the update did not install PELLINO.EXE"
[ -f "$(unix_path "$startup_lnk")" ] || fail "the update took the start with Windows away"
# A user who took the start with Windows away keeps it away through an update.
rm "$(unix_path "$startup_lnk")"
wine "$setup" /S || fail "the second silent update failed"
[ ! -f "$(unix_path "$startup_lnk")" ] || fail "the update brought the Startup shortcut back"

echo "== the uninstaller"
# With the start with Windows back (the Start menu's shortcut will do), for the uninstaller to
# take away.
cp "$(unix_path "$programs\\Pellino!\\Pellino!.lnk")" "$(unix_path "$startup_lnk")"
wine "$INSTALLED/Uninstall.exe" /S || fail "the uninstaller did not start"
# The uninstaller runs on from a copy of itself, so that it can remove its own file; the entry
# of the installed programs goes last.
for _ in $(seq 1 100); do [ -d "$(unix_path "$programs\\Pellino!")" ] || break; sleep 0.1; done
for _ in $(seq 1 10); do [ -z "$(uninstall_entry)" ] && break; sleep 0.2; done
expect_eq "$(uninstall_entry)" "" "the uninstall entry"
expect_eq "$(cd "$INSTALLED" && ls | tr '\n' ' ')" "PELLINO.INI Pellino.dat " \
  "what the uninstaller left"
cmp -s "$APP_DIR/updated.dat" "$INSTALLED/Pellino.dat" || fail "the uninstaller changed Pellino.dat"
for lnk in "$programs\\Pellino!\\Pellino!.lnk" "$startup_lnk"; do
  [ ! -e "$(unix_path "$lnk")" ] || fail "$lnk is still there"
done
[ ! -e "$(unix_path "$programs\\Pellino!")" ] || fail "the Start menu folder is still there"
echo "the installer and the uninstaller did what they should"
