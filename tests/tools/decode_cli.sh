#!/bin/sh
# Command-line behaviour of orvane-decode: sentences, options, log mode,
# exit statuses and one output line per input line whatever the input.
set -u
DECODE=$1
WORK=$2/decode-cli
rm -rf "$WORK"; mkdir -p "$WORK"
failures=0
check() {  # name expected actual
    if [ "$2" != "$3" ]; then
        printf 'FAIL %s\n  expected: [%s]\n  actual:   [%s]\n' "$1" "$2" "$3"
        failures=$((failures + 1))
    fi
}

check "smart lighting message" "Local Network, Source Unit 18, Lighting, GA 5 On" \
    "$(echo '05123800790533' | "$DECODE")"
check "sent command, data only" "GA 1 On" "$(printf '\\0538007901\n' | "$DECODE" --sent --options 0x18)"
check "hex mode" "GA 01 On" "$(printf '\\0538007901\n' | "$DECODE" --sent --hex --options 24)"
check "sent default mask" "Local Network, Multipoint, Lighting, GA 1 On" "$(printf '\\0538007901\n' | "$DECODE" --sent)"
check "trailing CR dropped" "OK" "$(printf 'g.\r\n' | "$DECODE")"

# One output line per input line, empty for lines without a sentence, even
# for binary garbage and a line of a megabyte.
printf 'g.\n\001\002\377garbage\n\n05123800790533\nzz\n' > "$WORK/mixed.txt"
head -c 1048576 /dev/zero | tr '\0' 'A' >> "$WORK/mixed.txt"
printf '\n!\n' >> "$WORK/mixed.txt"
check "line count" "7" "$("$DECODE" "$WORK/mixed.txt" | wc -l | tr -d ' ')"
check "last line" "Checksum Error or Buffers Full" "$("$DECODE" "$WORK/mixed.txt" | tail -n 1)"
check "a label carrying a line feed stays on one line" 1 \
    "$(printf '\\053800A40500010A\n' | "$DECODE" --sent | wc -l | tr -d ' ')"
check "Latin-1 label text is written as UTF-8" "$(printf 'GA 5 Label, Variant 0, Language 1 [English], Text label, 1 Bytes = "\303\251"')" \
    "$(printf '\\053800A4050001E9\n' | "$DECODE" --sent --options 0x18)"
check "no final newline still gives a line" "OK" "$(printf 'g.' | "$DECODE")"

# Traffic log mode.
printf '14:05:12  Tx : \\0538007901g<CR>\r\n14:05:12  Rx : g.<CR>\r\n14:05:13  Rx : 05123800790533<CR>\r\n## : a comment\r\n14:05:14  Rx : !<CR>\r\n' > "$WORK/log.txt"
expected=$(printf '14:05:12  Tx : \\0538007901g<CR>\n             = Local Network, Multipoint, Lighting, GA 1 On\n14:05:13  Rx : 05123800790533<CR>\n             = Local Network, Source Unit 18, Lighting, GA 5 On')
check "log mode" "$expected" "$("$DECODE" --log "$WORK/log.txt")"

# Exit statuses.
"$DECODE" --options >/dev/null 2>&1; check "missing mask" 2 $?
"$DECODE" --options 0xZZ >/dev/null 2>"$WORK/err"; check "bad mask" 2 $?
check "bad mask message names it" 1 "$(grep -c "0xZZ" "$WORK/err")"
"$DECODE" --frobnicate >/dev/null 2>"$WORK/err"; check "unknown option" 2 $?
check "unknown option named" 1 "$(grep -c -- "--frobnicate" "$WORK/err")"
out=$("$DECODE" "$WORK/missing.txt" "$WORK/log.txt" 2>"$WORK/err"); check "unreadable file" 1 $?
check "unreadable file named" 1 "$(grep -c "missing.txt" "$WORK/err")"
check "other files still read" 5 "$(printf '%s\n' "$out" | wc -l | tr -d ' ')"
"$DECODE" "$WORK" >/dev/null 2>&1; check "a folder is not readable" 1 $?
"$DECODE" --help | grep -q -- "--options"; check "help" 0 $?
"$DECODE" --version | grep -q "orvane-decode"; check "version" 0 $?

if [ "$failures" -ne 0 ]; then
    echo "$failures checks failed"
    exit 1
fi
echo "orvane-decode: all checks passed"
