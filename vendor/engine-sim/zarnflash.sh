#!/bin/sh
# zarnflash SIMULATOR: a stand-in for the Dovane flash engine, for rehearsing
# the component's runs without hardware. It touches no hardware: its adapters
# and their installed versions live in a plain-text state file.
#
#   zarnflash.sh /q         list the adapters, one line each (they end in
#                           "Mode=NIC", which the component filters on); exit 1
#   zarnflash.sh /update    flash every adapter older than this kit
#   zarnflash.sh /f         rewrite every adapter whatever its version
#
# The state file is ./zarnflash-sim.state in the working directory (the
# package directory). One directive per line, fields separated by "|", lines
# starting with "#" ignored:
#
#   adapter|MODEL|PCI ID|VID|SSID|SVID|FIRMWARE|BOOT CODE
#   exit|CODE       end every flash run with CODE, whatever happened
#   fail|N          the Nth adapter (from 1) fails to flash; "all": every one
#   delay|SECONDS   each adapter's flash takes this long
#   kill|SIGNAL     the engine is killed by SIGNAL during its first flash
#   noise|LINES     print LINES extra progress lines per flashed adapter
#
# Without a state file it simulates three adapters; a flash run then writes
# the state file, so that the next query shows the new versions.
#
# Exit codes of a flash run: 0 all flashed; 1 nothing needed; 2 all failed;
# 3 some failed; with converged adapters (models TQ770LNK, WB4400F) skipped:
# 11 all flashed, 12 nothing needed, 13 all failed, 14 some failed, 15 no
# other adapter.

KIT_VERSION="@KIT_VERSION@"
STATE=./zarnflash-sim.state

DEFAULT_STATE='adapter|ZRa300 CNA|0300|D07A|0301|D07A|11.1.179.6|BC5.01a9
adapter|Vyn 8Gb FC HBA|0b10|d07a|0b11|d07a|2.01a10|3.20a1
adapter|ZRa200 4Gb FC HBA|200|D07A|0201|D07A|FW2.72a2|BC1.71a0'

# The versions this kit carries, by model, written as the engine reports them.
kit_firmware() {
  case "$1" in
    *ZRa300*) echo "11.1.183.21" ;;
    *Vyn*) echo "2.01a12" ;;
    *) echo "FW2.82a4" ;;
  esac
}
kit_boot() {
  case "$1" in
    *ZRa300*) echo "BC5.02a1" ;;
    *Vyn*) echo "3.20a3" ;;
    *) echo "BC1.71a0" ;;
  esac
}

is_converged() {
  case "$1" in *TQ770LNK* | *WB4400F*) return 0 ;; esac
  return 1
}

# True when version $1 is older than version $2 (natural version order).
older() {
  [ "$1" != "$2" ] && [ "$(printf '%s\n%s\n' "$1" "$2" | sort -V | head -n 1)" = "$1" ]
}

state() {
  if [ -f "$STATE" ]; then cat "$STATE"; else printf '%s\n' "$DEFAULT_STATE"; fi
}

setting() {
  state | awk -F'|' -v key="$1" '$1 == key { value = $2 } END { print value }'
}

query() {
  echo "Dovane zarnflash standalone SIMULATOR, kit $KIT_VERSION -- no hardware is touched"
  n=0
  state | while IFS='|' read -r kind model pci vid ssid svid firmware boot; do
    [ "$kind" = adapter ] || continue
    n=$((n + 1))
    echo "HBA=$model, PCI ID=$pci, VID=$vid, SSID=$ssid, SVID=$svid, Firmware=$firmware, Boot Code=$boot, Port=$n, Mode=NIC"
  done
  exit 1
}

flash() {
  force=$1
  fail=$(setting fail)
  delay=$(setting delay)
  killwith=$(setting kill)
  noise=$(setting noise)
  forced_exit=$(setting exit)
  echo "Dovane zarnflash standalone SIMULATOR, kit $KIT_VERSION -- no hardware is touched"
  { echo "zarnflash trace: flash run started"; } 2>/dev/null >&3

  n=0 skipped=0 flashed=0 failed=0 needed=0 others=0
  new_state="$STATE.new"
  state > "$new_state.in" && : > "$new_state" || exit 2
  while IFS='|' read -r kind model pci vid ssid svid firmware boot; do
    if [ "$kind" != adapter ]; then
      printf '%s\n' "$kind${model:+|$model}" >> "$new_state"
      continue
    fi
    n=$((n + 1))
    line="adapter|$model|$pci|$vid|$ssid|$svid"
    if is_converged "$model"; then
      echo "Adapter $n ($model): converged adapter skipped"
      skipped=$((skipped + 1))
      printf '%s|%s|%s\n' "$line" "$firmware" "$boot" >> "$new_state"
      continue
    fi
    others=$((others + 1))
    kit_fw=$(kit_firmware "$model")
    kit_bc=$(kit_boot "$model")
    if [ -z "$force" ] && ! older "$firmware" "$kit_fw" && ! older "$boot" "$kit_bc"; then
      echo "Adapter $n ($model): firmware $firmware, boot code $boot are current"
      printf '%s|%s|%s\n' "$line" "$firmware" "$boot" >> "$new_state"
      continue
    fi
    needed=$((needed + 1))
    echo "Adapter $n ($model): flashing firmware $firmware -> $kit_fw, boot code $boot -> $kit_bc"
    i=0
    while [ "$i" -lt "${noise:-0}" ]; do
      i=$((i + 1))
      echo "Adapter $n: writing block $i"
    done
    [ -n "$delay" ] && sleep "$delay"
    [ -n "$killwith" ] && kill -s "$killwith" $$
    if [ "$fail" = "$n" ] || [ "$fail" = all ]; then
      echo "Adapter $n ($model): flash FAILED" >&2
      failed=$((failed + 1))
      printf '%s|%s|%s\n' "$line" "$firmware" "$boot" >> "$new_state"
      continue
    fi
    echo "Adapter $n ($model): done"
    flashed=$((flashed + 1))
    printf '%s|%s|%s\n' "$line" "$kit_fw" "$kit_bc" >> "$new_state"
  done < "$new_state.in"
  rm -f "$new_state.in"
  mv "$new_state" "$STATE"

  if [ "$others" -eq 0 ]; then code=1; [ "$skipped" -gt 0 ] && code=15
  elif [ "$needed" -eq 0 ]; then code=1; [ "$skipped" -gt 0 ] && code=12
  elif [ "$failed" -eq 0 ]; then code=0; [ "$skipped" -gt 0 ] && code=11
  elif [ "$flashed" -eq 0 ]; then code=2; [ "$skipped" -gt 0 ] && code=13
  else code=3; [ "$skipped" -gt 0 ] && code=14
  fi
  [ -n "$forced_exit" ] && code=$forced_exit
  echo "Flashed $flashed, failed $failed, skipped $skipped; exit code $code"
  exit "$code"
}

case "$1" in
  /q) query ;;
  /update) flash "" ;;
  /f) flash force ;;
  *)
    echo "usage: zarnflash.sh /q | /update | /f   (SIMULATOR)" >&2
    exit 9
    ;;
esac
