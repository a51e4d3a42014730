#!/bin/sh
# Installs the run-time libraries Vantrel needs through the package manager.
set -e
packages="libqt6widgets6 libqt6printsupport6 libqt6pdfwidgets6 libqt6svgwidgets6 \
libqt6multimedia6 libqt6serialport6 qt6-qpa-plugins libsqlite3-0 libxlsxwriter4 libfreexl1 \
libzip4 libcurl4 libical3"
if [ "$(id -u)" -ne 0 ]; then
  exec pkexec apt-get install -y $packages
fi
exec apt-get install -y $packages
