#!/usr/bin/env python3
"""Writes the example raw export of a tipping-bucket rain gauge logger.

Three weeks of March 2025 at an invented station: the logger writes a reading
roughly every ten minutes (a few seconds late or early, now and then one
missing) and every one to three minutes while it rains. Each reading gives the
rain since the previous reading (0.2 mm per tip), the tips themselves and the
battery voltage. Four storms and some drizzle. The seed is fixed, so the file
is the same on every run:

    python3 examples/gera_exemplo.py > examples/pluviografo_marco_2025.csv
"""
import datetime as dt
import math
import random

BUCKET_MM = 0.2
START = dt.datetime(2025, 3, 1, 0, 0, 0)
END = dt.datetime(2025, 3, 22, 0, 0, 0)

# (start, hours, peak intensity in mm/h)
STORMS = [
    (dt.datetime(2025, 3, 3, 15, 40), 2.5, 38.0),
    (dt.datetime(2025, 3, 8, 2, 10), 6.0, 9.0),
    (dt.datetime(2025, 3, 13, 17, 5), 1.2, 72.0),
    (dt.datetime(2025, 3, 18, 13, 30), 4.0, 24.0),
]
DRIZZLE = [
    (dt.datetime(2025, 3, 10, 6, 0), 3.0, 1.5),
    (dt.datetime(2025, 3, 20, 22, 15), 2.0, 2.0),
]


def intensity(t):
    """Rain intensity in mm/h at time t: a skewed bell for each storm."""
    total = 0.0
    for start, hours, peak in STORMS + DRIZZLE:
        x = (t - start).total_seconds() / 3600.0 / hours
        if 0.0 <= x <= 1.0:
            total += peak * (x ** 0.8) * ((1.0 - x) ** 2.2) / 0.175  # the bell peaks at 0.175
    return total


def main():
    rng = random.Random(20250301)
    print("Posto pluviografico Ribeirao das Pedras - registrador 0417 - bascula de 0,2 mm")
    print("Data;Hora;Chuva (mm);Basculadas;Bateria (V)")
    t = START
    carry = 0.0  # rain collected in the bucket but not yet tipped, mm
    battery = 12.9
    last = START
    while t < END:
        # Rain fell since the last reading; the bucket tips every 0.2 mm.
        seconds = int((t - last).total_seconds())
        for s in range(0, seconds, 30):
            carry += intensity(last + dt.timedelta(seconds=s)) * 30 / 3600.0 * rng.uniform(0.6, 1.4)
        tips = int(carry / BUCKET_MM)
        carry -= tips * BUCKET_MM
        battery += 0.002 if 10 <= t.hour < 16 else -0.0012
        battery = min(13.4, max(12.1, battery))
        if t == START or rng.random() > 0.01:  # a reading is lost now and then
            print("%s;%s;%.1f;%d;%.2f" % (t.strftime("%d/%m/%Y"), t.strftime("%H:%M:%S"), tips * BUCKET_MM,
                                          tips, battery + rng.uniform(-0.03, 0.03)))
        last = t
        raining = intensity(t) > 0.3
        step = rng.randint(60, 180) if raining else 600 + rng.randint(-25, 25)
        t = t + dt.timedelta(seconds=step)


if __name__ == "__main__":
    main()
