#!/usr/bin/env bash
# Lays out a run folder from the program image build/Vantrel: the program and its
# libraries, manual and slide show are brought up to date; everything else (the
# databases, the letterhead, the workbooks, the Temp and Documents folders) is
# copied only where it is missing, so the user's data survives every rebuild.
# Usage: scripts/run-folder.sh IMAGE FOLDER
set -euo pipefail
image=$1
folder=$2
[ -x "$image/vantrel" ] || { echo "run-folder: $image holds no built program" >&2; exit 1; }
mkdir -p "$folder"
# The program's own files: replaced by the new build.
program_files=(vantrel vantrel-xlsread vantrel-foldercopy lib libvantrel_sqlite_text.so Help.pdf Presentation.pdf)
for name in "${program_files[@]}"; do
  [ -e "$image/$name" ] || continue
  rm -rf "$folder/$name.new"
  cp -a "$image/$name" "$folder/$name.new"
  rm -rf "$folder/$name"
  mv "$folder/$name.new" "$folder/$name"
done
# Everything else is the user's from the first copy on.
cp -a -n "$image/." "$folder/"
