#!/bin/sh
# The installed program lies read-only under /opt/vantrel; it works in a program
# folder of the user's own, laid out from the installed files at the first start.
exec /opt/vantrel/vantrel --program-folder "${VANTREL_PROGRAM_FOLDER:-$HOME/Vantrel}" "$@"
