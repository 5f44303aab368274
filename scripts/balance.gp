# The campaign as the bot pilot plays it, drawn for the eye: how often each
# ship wins each map (top) and how long a win takes (bottom), the maps in
# campaign order. scripts/balance.sh calls it with
#   data  the chart table: index, "map label", won % ships 1-3, median s ships 1-3
#   out   the PNG to write
#   runs  seeds per map and ship
set terminal pngcairo size 1280,900 font "DejaVu Sans,12"
set output out
set encoding utf8

ship1 = "#2b6cb0"
ship2 = "#dd8a1e"
ship3 = "#b8324f"
w = 0.27

set style fill solid 0.9 border rgb "#333333"
set boxwidth w * 0.92
set xrange [-0.6:7.6]
set xtics scale 0 font ",11"
set grid ytics lc rgb "#cccccc"
set border 3
set ytics nomirror
set key horizontal top center outside font ",12"
set lmargin 11
set rmargin 3

band = "#f6e3e3"
set multiplot layout 2,1 title sprintf("The campaign as the bot plays it (%d seeds for each map and ship)", runs) font ",15"
set bmargin 4

# Top: won, on a soft band where the bot wins less than half the time.
set title "How often each ship wins (shaded: won less than half the time)" font ",13"
set ylabel "runs won (%)"
set yrange [0:112]
set ytics 0,25,100
set object 1 rectangle from graph 0, first 0 to graph 1, first 50 behind fc rgb band fs solid 1 noborder
plot data using ($1-w):3 with boxes lc rgb ship1 title "ship 1", \
     '' using 1:4:xtic(2) with boxes lc rgb ship2 title "ship 2", \
     '' using ($1+w):5 with boxes lc rgb ship3 title "ship 3", \
     '' using ($1-w):($3+4):(sprintf("%.0f", $3)) with labels font ",9" notitle, \
     '' using 1:($4+4):(sprintf("%.0f", $4)) with labels font ",9" notitle, \
     '' using ($1+w):($5+4):(sprintf("%.0f", $5)) with labels font ",9" notitle

# Bottom: the median time to a win; "never won" where a ship never won.
unset object 1
set title "How long a win takes (median)" font ",13"
set ylabel "time to win (s)"
set autoscale y
set yrange [0:*]
set ytics auto
unset key
plot data using ($1-w):6 with boxes lc rgb ship1, \
     '' using 1:7:xtic(2) with boxes lc rgb ship2, \
     '' using ($1+w):8 with boxes lc rgb ship3, \
     '' using ($1-w):($6+2.5):(sprintf("%.0f", $6)) with labels font ",9", \
     '' using 1:($7+2.5):(sprintf("%.0f", $7)) with labels font ",9", \
     '' using ($1+w):($8+2.5):(sprintf("%.0f", $8)) with labels font ",9", \
     '' using ($1-w):(valid(6) ? NaN : 4):("never\nwon") with labels font ",10" tc rgb ship1, \
     '' using 1:(valid(7) ? NaN : 4):("never\nwon") with labels font ",10" tc rgb ship2, \
     '' using ($1+w):(valid(8) ? NaN : 4):("never\nwon") with labels font ",10" tc rgb ship3

unset multiplot
