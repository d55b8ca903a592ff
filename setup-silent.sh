#!/bin/bash
W=$1
d="$W/home/Documents/Pexalon/Ilvane Remote File Manager"
mkdir -p "$d"
printf '%s|127.0.0.3|%s|\r\r\n' "Silent panel" "" > "$d/PanelsList.INI"
