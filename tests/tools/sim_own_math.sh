#!/bin/bash
# The simulation (src/world, src/ai) computes sin, cos, atan2, hypot, log
# and the like only through its own math (world/simmath.h), never straight
# from the C library, whose results differ between machines. Argument: the
# src folder.
src=$1
functions='sin|cos|tan|asin|acos|atan|atan2|hypot|log|log2|log10|log1p|exp|exp2|expm1|pow|cbrt|sinh|cosh|tanh|asinh|acosh|atanh|erf|erfc|tgamma|lgamma'
calls=$(grep -HnE "(std::|^|[^A-Za-z0-9_.>:])(${functions})[fl]?[[:space:]]*\(" \
  "$src"/world/* "$src"/ai/* | grep -v '^[^:]*/simmath\.' | grep -vE '^[^:]*:[0-9]+:[[:space:]]*//')
if [[ -n $calls ]]; then
  echo "The simulation calls the platform's math:"
  echo "$calls"
  exit 1
fi
echo "The simulation calls only its own math: $(grep -lw 'simmath.h' "$src"/world/* "$src"/ai/* | wc -l) files use it"
