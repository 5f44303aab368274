#!/bin/bash
# The simulation (src/world, src/ai) includes nothing of SDL, content,
# drawing or the screens, and links nothing of SDL: a headless run needs
# none of them. Arguments: the src folder, the simulation's link libraries.
src=$1
links=$2
status=0
upward=$(grep -HnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]((SDL|SDL/)[^>"]*|(content|render|main)/[^"]*)[>"]' \
  "$src"/world/* "$src"/ai/*)
if [[ -n $upward ]]; then
  echo "The simulation includes what it must not:"
  echo "$upward"
  status=1
fi
if [[ $links == *SDL* ]]; then
  echo "The simulation links SDL: $links"
  status=1
fi
[[ $status == 0 ]] && echo "The simulation stands alone: $(ls "$src"/world/*.cpp "$src"/ai/*.cpp | wc -l) sources"
exit $status
