#!/usr/bin/env bash
# Writes the seed corpora of the fuzz targets into OUT/<target>/ (default
# build-fuzz/seeds). Panel targets take a chain of replies, each one length
# byte and then the reply's bytes (see CFuzzPanel.h).
set -euo pipefail
out="${1:-build-fuzz/seeds}"
rm -rf "$out"
mkdir -p "$out"/{fuzz_list_entry,fuzz_card,fuzz_panel_info,fuzz_tftp_packet,fuzz_panels_list,fuzz_data_log,fuzz_quoting}

# reply BYTES...: one reply of the given bytes (octal escapes for printf).
reply() {
    local body
    body="$(printf '%b' "$1" | od -An -v -tx1 | tr -d ' \n')"
    local n=$(( ${#body} / 2 ))
    printf "\\x$(printf '%02x' "$n")"
    printf '%b' "$1"
}

# The file family: reset, list open, entries (echo 7, name, 0, size, h m s d mo, year), end, close.
entry() { reply "\\x07$1\\x00\\x00\\x00\\x01\\x2c\\x0e\\x1e\\x00\\x04\\x0c\\x07\\xea"; }
{ reply '\x15'; reply '\x06'; entry 'LOG1.CSV'; entry 'ALARMS.CSV'; reply '\x07'; reply '\x08'; } \
    > "$out/fuzz_list_entry/two-entries"
{ reply '\x15'; reply '\x06'; reply '\x07'; reply '\x08'; } > "$out/fuzz_list_entry/empty"
{ reply '\x15'; reply '\x06'; reply '\x07SHORT\x00\x01'; } > "$out/fuzz_list_entry/short"

# The card family: frames 0x71 0x14 length status data...
card_entry() {
    local name="$1" pad
    pad="$(printf '%*s' $((32 - ${#name})) '' | sed 's/ /\\x00/g')"
    reply "\\x71\\x14\\x35\\x00$2\\x00${name}${pad}\\x00\\x00\\x00\\x00\\x00\\x00\\x01\\x00\\x0e\\x1e\\x00\\x04\\x0c\\x07\\xea\\x00"
}
{ reply '\x71\x14\x07\x00\x00\x02\x00'; card_entry 'LOG1.CSV' '\x00'; card_entry 'LOG2.CSV' '\x01';
  reply '\x71\x14\x05\x00\x00'; reply '\x71\x14\x06\x00\x00\x00'; reply '\x71\x14\x06\x00\x00\x00'; } \
    > "$out/fuzz_card/listing"
{ reply '\x71\x14\x05\x89'; reply '\xf1'; reply '\x71\x14\x06\x00\x03\x00'; } > "$out/fuzz_card/errors"

# Panel information: type, revision letter and number, build number at 48.
info() {
    local zeros42
    zeros42="$(printf '%*s' 42 '' | sed 's/ /\\x00/g')"
    reply "$1\\x00\\x00\\x00$2${zeros42}$3"
}
info '\xba' 'i\x0b' '\x28\x00\x00\x00' > "$out/fuzz_panel_info/accepted"
info '\xa2' 'h\x02' '\x01\x00\x00\x00' > "$out/fuzz_panel_info/old"
info '\x00' 'a\x00' '\x00\x00\x00\x00' > "$out/fuzz_panel_info/no-type"

# TFTP datagrams.
printf '\x00\x03\x00\x01hello' > "$out/fuzz_tftp_packet/data"
printf '\x00\x04\x00\x07' > "$out/fuzz_tftp_packet/ack"
printf '\x00\x05\x00\x01File not found\x00' > "$out/fuzz_tftp_packet/error"
printf '\x00\x01LOG.CSV\x00octet\x00' > "$out/fuzz_tftp_packet/request"

# PanelsList.INI lines.
printf 'Line 1|192.168.0.10|10001|\r\r\nPress|10.0.0.2|502|\r\r\n' > "$out/fuzz_panels_list/two"
printf 'broken|1.2.3|\r\n|||\n\n' > "$out/fuzz_panels_list/broken"

# A data log: reset, open, seek to end (size), seek to 0, header blocks, then
# the record read (seek, blocks).
le32() { printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($1 & 255)) $(($1 >> 8 & 255)) $(($1 >> 16 & 255)) $(($1 >> 24 & 255)); }
header='Date,Time,Temp,Press\n'
record='12/04/26,14:30:00,21.5,1.013\n'
text="${header}${record}${record}${record}"
size=$(printf '%b' "$text" | wc -c)
hlen=$(printf '%b' "$header" | wc -c)
{ reply '\x15'; reply '\x03'; reply "\\x02$(le32 "$size")"; reply "\\x02$(le32 0)";
  reply "\\x00${text}"; reply '\x00';
  reply "\\x02$(le32 "$hlen")"; reply "\\x00${record}${record}${record}"; reply '\x00'; } \
    > "$out/fuzz_data_log/three-records"
{ reply '\x15'; reply '\x03'; reply "\\x02$(le32 100000)"; reply "\\x02$(le32 0)";
  reply '\x00Date,Time,Temp'; reply '\x00,more,without,line,feed'; } > "$out/fuzz_data_log/no-line-feed"

# Texts to quote.
printf 'plain' > "$out/fuzz_quoting/plain"
printf 'a,"b",c\r\n\t\x01\xe9\\' > "$out/fuzz_quoting/mixed"
printf '""' > "$out/fuzz_quoting/quotes"
