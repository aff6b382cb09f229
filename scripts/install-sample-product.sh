#!/usr/bin/env bash
# Installs a sample product into a sandbox directory the way a real installer would,
# so that the uninstaller has something of its own to remove:
#   - an install directory with nested files, a copy of the built uninstaller with its
#     companions (widget library, rcc/, translations/) and an AppConfig.xml;
#   - shortcuts named after both product names on the user and the public desktop;
#   - Start-menu folders with both names;
#   - the product's Uninstall key, with InstallLocation, in the registry stand-in;
#   - a few things that are NOT the product's, which must survive an uninstall.
# Prints the environment that makes the uninstaller see the sandbox.
#
# Usage: install-sample-product.sh SANDBOX [BUILD_BIN_DIR]
# With SAMPLE_BULK_FILES=N the product gets N more small files in 100 directories,
# so that its removal takes long enough to be watched.
set -euo pipefail

if [ $# -lt 1 ]; then
    echo "usage: $0 SANDBOX [BUILD_BIN_DIR]" >&2
    exit 2
fi

sandbox=$(mkdir -p "$1" && cd "$1" && pwd)
bin_dir=${2:-$(cd "$(dirname "$0")/.." && pwd)/build/bin}
if [ ! -x "$bin_dir/Uninstall" ]; then
    echo "no built uninstaller in $bin_dir (build first)" >&2
    exit 1
fi

guid='{5C2B8F0E-7A31-4D6B-9E2A-3F1D0C7B9A64}'
name_en='Raruz Viewer'
name_ch='拉鲁兹查看器'
program='RaruzViewer.exe'

home="$sandbox/home"
data_home="$home/.local/share"
standin="$data_home/appinstaller"
install_dir="$standin/drive_c/Program Files/$name_en"
desktop="$home/Desktop"
public_desktop="$standin/drive_c/Users/Public/Desktop"
start_menu="$data_home/applications"

mkdir -p "$home/.config" "$home/.cache" "$sandbox/runtime" "$desktop" "$public_desktop" "$start_menu"
chmod 700 "$sandbox/runtime"

# The installed product: nested directories, hidden, read-only and empty entries,
# names with spaces and non-ASCII characters.
mkdir -p "$install_dir/bin" "$install_dir/data/maps/detail" "$install_dir/plugins/image formats" \
         "$install_dir/docs/说明" "$install_dir/cache/empty"
printf 'client\n' > "$install_dir/bin/$program"
printf 'settings\n' > "$install_dir/data/settings.ini"
printf 'map\n' > "$install_dir/data/maps/detail/tile 0001.dat"
printf 'plugin\n' > "$install_dir/plugins/image formats/svg.plugin"
printf 'readme\n' > "$install_dir/docs/说明/读我.txt"
printf 'state\n' > "$install_dir/.state"
printf 'licence\n' > "$install_dir/docs/LICENSE.txt"
chmod a-w "$install_dir/docs/LICENSE.txt"
bulk=${SAMPLE_BULK_FILES:-0}
if [ "$bulk" -gt 0 ]; then
    for ((d = 0; d < 100; d++)); do
        mkdir -p "$install_dir/data/bulk/$d"
        for ((f = d; f < bulk; f += 100)); do
            : > "$install_dir/data/bulk/$d/item$f.dat"
        done
    done
fi

# The uninstaller ships inside the product, beside its setup description.
cp "$bin_dir/Uninstall" "$install_dir/"
cp -P "$bin_dir"/libVexiloControl.so* "$install_dir/"
cp -r "$bin_dir/rcc" "$install_dir/"
if [ -d "$bin_dir/translations" ]; then
    cp -r "$bin_dir/translations" "$install_dir/"
fi
cat > "$install_dir/AppConfig.xml" <<XML
<?xml version="1.0" encoding="UTF-8"?>
<Setup>
    <GUID>$guid</GUID>
    <Translator>1</Translator>
    <VersionType>2</VersionType>
    <SoftwareNameEN>$name_en</SoftwareNameEN>
    <SoftwareNameCH>$name_ch</SoftwareNameCH>
    <SettingFile>data/settings.ini</SettingFile>
    <Version>3.2.1</Version>
    <CompanyName>Raruz</CompanyName>
    <LegalCopyright>Copyright Raruz</LegalCopyright>
    <InstallPath>C:\\Program Files\\</InstallPath>
    <ProgramName>bin/$program</ProgramName>
    <Components>
        <Component><Name>Viewer</Name><FilePath>bin/$program</FilePath></Component>
        <Component><Name>Maps</Name><FilePath>data/maps</FilePath></Component>
    </Components>
</Setup>
XML

# Shortcuts and Start-menu folders under both names.
for dir in "$desktop" "$public_desktop"; do
    printf 'shortcut\n' > "$dir/$name_en.lnk"
    printf 'shortcut\n' > "$dir/$name_ch.lnk"
done
for name in "$name_en" "$name_ch"; do
    mkdir -p "$start_menu/$name/Tools"
    printf 'shortcut\n' > "$start_menu/$name/$name.lnk"
    printf 'shortcut\n' > "$start_menu/$name/Tools/Settings.lnk"
done

# Neighbours that are not the product's.
printf 'other\n' > "$desktop/$name_en 2.lnk"
printf 'other\n' > "$desktop/$name_en.lnk.bak"
mkdir -p "$desktop/${name_en}X" "$start_menu/Other Product"
printf 'other\n' > "$public_desktop/Notes.lnk"
printf 'other\n' > "$start_menu/Other Product/Other.lnk"
printf 'other\n' > "$standin/drive_c/Program Files/keep.txt"

# The Uninstall key: 64-bit machines keep 32-bit products below Wow6432Node.
case "$(uname -m)" in
    x86_64|ia64) uninstall_root="SOFTWARE/Wow6432Node/Microsoft/Windows/CurrentVersion/Uninstall" ;;
    *) uninstall_root="SOFTWARE/Microsoft/Windows/CurrentVersion/Uninstall" ;;
esac
key_dir="$standin/registry/HKEY_LOCAL_MACHINE/$uninstall_root"
mkdir -p "$key_dir"
ini_quote() {
    local value=${1//\\/\\\\}
    printf '"%s"' "${value//\"/\\\"}"
}
cat > "$key_dir/$guid.ini" <<INI
[General]
DisplayName=$(ini_quote "$name_en")
DisplayVersion=3.2.1
Publisher=Raruz
InstallLocation=$(ini_quote "$install_dir")
UninstallString=$(ini_quote "$install_dir/Uninstall")
INI
cat > "$key_dir/{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}.ini" <<INI
[General]
DisplayName=Another Product
InstallLocation="C:\\\\Program Files\\\\Another Product"
INI

cat <<ENV
export HOME='$home'
export XDG_DATA_HOME='$data_home'
export XDG_CONFIG_HOME='$home/.config'
export XDG_CACHE_HOME='$home/.cache'
export XDG_RUNTIME_DIR='$sandbox/runtime'
export UNINSTALL_EXE='$install_dir/Uninstall'
ENV
