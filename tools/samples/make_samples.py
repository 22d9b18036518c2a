#!/usr/bin/env python3
"""Writes the sample point files under samples/: a realistic list of 30 points around Tokyo and
Kanagawa and a generated list of 250 points (Tokyo datum, Shift_JIS).

The places and their WGS 84 positions are in tools/samples/tokyo_points.csv (and the generated
list's in points_250.csv, written here); the positions are shifted to the Tokyo datum by the
program's own conversion (vondrel-cli import --datum=wgs84), so the points stand where the places
are. The files follow the editor's own output byte for byte, with a telephone element where a
place has one. Run: python3 tools/samples/make_samples.py [VONDREL_CLI]
(default: build/native/vondrel-cli).
"""
import csv
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.join(HERE, '..', '..')
OUT = os.path.join(ROOT, 'samples')
COLUMNS = ['name', 'reading', 'lat', 'lon', 'tel', 'mark', 'sound', 'direction']

HEADER = ('<?xml version="1.0" encoding="Shift_JIS" ?>\r\n'
          '<!DOCTYPE glorie PUBLIC "-//GLORIE//GLORIE V1.0//EN" "glorie.dtd">\r\n'
          '<glorie version="1.0" model="Kenwood Corporation:HDD-NAVI">\r\n'
          '\t<format>\r\n\t\t<datum>tokyo</datum>\r\n\t\t<unit>degree</unit>\r\n\t</format>\r\n\r\n')


def to_tokyo(cli, places):
    """The places' positions on the Tokyo datum as the program stores them (five decimals)."""
    with tempfile.TemporaryDirectory() as work:
        wgs84, tokyo = os.path.join(work, 'wgs84.csv'), os.path.join(work, 'tokyo.xml')
        with open(wgs84, 'w', encoding='utf-8', newline='') as f:
            writer = csv.writer(f)
            writer.writerow(['name', 'lat', 'lon'])
            writer.writerows([str(i), p['lat'], p['lon']] for i, p in enumerate(places))
        subprocess.run([cli, 'import', '--datum=wgs84', wgs84, tokyo], check=True)
        listed = subprocess.run([cli, 'list', tokyo], check=True, capture_output=True, text=True).stdout
    # list: row, name, reading, lon, lat, ... (TAB-separated)
    rows = [line.split('\t') for line in listed.splitlines() if line[:1].isdigit()]
    positions = {int(row[1]): (row[4], row[3]) for row in rows}
    assert len(positions) == len(places), 'vondrel-cli import left out points'
    return [positions[i] for i in range(len(places))]


def block(place, lat, lon):
    lines = ['\t<gpoi>\r\n',
             '\t\t<index pos="+%s +%s 00000000 fix tokyo"/>\r\n' % (lat, lon),
             '\t\t<poi>\r\n', '\t\t\t<point>\r\n', '\t\t\t\t<pos>\r\n',
             '\t\t\t\t\t<lat>%s</lat>\r\n' % lat, '\t\t\t\t\t<lon>%s</lon>\r\n' % lon,
             '\t\t\t\t</pos>\r\n', '\t\t\t</point>\r\n', '\t\t\t<name>\r\n',
             '\t\t\t\t<nb>%s</nb>\r\n' % place['name']]
    if place['reading']:
        lines.append('\t\t\t\t<rt>%s</rt>\r\n' % place['reading'])
    lines.append('\t\t\t</name>\n')
    if place['tel']:
        lines.append('\t\t\t<contact href="tel:%s"/>\r\n' % place['tel'])
    lines += ['\t\t</poi>\n', '\t\t<category>00000000</category>\r\n',
              '\t\t<category vendor="Kenwood.HDD-NAVI">000031%02X</category>\r\n' % int(place['mark']),
              '\t\t<linkfile>\r\n',
              '\t\t\t<optional-media format="MSNAVI" id="%s" repeat="1">\r\n' % place['sound']]
    if place['direction']:
        lines += ['\t\t\t\t<activate-condition>\r\n', '\t\t\t\t\t<activate-radius>\r\n',
                  '\t\t\t\t\t\t<outmost>500</outmost>\r\n', '\t\t\t\t\t\t<inmost>0</inmost>\r\n',
                  '\t\t\t\t\t</activate-radius>\r\n', '\t\t\t\t\t<activate-direction>\r\n',
                  '\t\t\t\t\t\t<dcenter>%s</dcenter>\r\n' % place['direction'],
                  '\t\t\t\t\t\t<deviation>22</deviation>\r\n', '\t\t\t\t\t</activate-direction>\r\n',
                  '\t\t\t\t</activate-condition>\r\n']
    lines += ['\t\t\t</optional-media>\r\n', '\t\t</linkfile>\r\n', '\t</gpoi>\r\n']
    return ''.join(lines)


def write(cli, name):
    with open(os.path.join(HERE, name + '.csv'), encoding='utf-8', newline='') as f:
        places = list(csv.DictReader(f))
    blocks = [block(p, lat, lon) for p, (lat, lon) in zip(places, to_tokyo(cli, places))]
    with open(os.path.join(OUT, name + '.xml'), 'wb') as f:
        f.write((HEADER + ''.join(blocks) + '</glorie>\r\n').encode('cp932'))


def write_generated(count):
    areas = ['札幌', '仙台', '新潟', '金沢', '名古屋', '京都', '大阪', '神戸', '広島', '福岡']
    kinds = [('駅', 'えき', 3), ('道の駅', 'みちのえき', 36), ('IC', 'いんたー', 30), ('SA', 'さーびすえりあ', 33),
             ('公園', 'こうえん', 24), ('神社', 'じんじゃ', 12)]
    readings = ['さっぽろ', 'せんだい', 'にいがた', 'かなざわ', 'なごや', 'きょうと', 'おおさか', 'こうべ', 'ひろしま', 'ふくおか']
    with open(os.path.join(HERE, 'points_250.csv'), 'w', encoding='utf-8', newline='') as f:
        writer = csv.writer(f, lineterminator='\n')
        writer.writerow(COLUMNS)
        for i in range(count):
            area, kind = i % len(areas), (i // len(areas)) % len(kinds)
            lat = 33.0 + (i * 0.0371) % 10.0
            lon = 130.0 + (i * 0.0593) % 12.0
            writer.writerow(['%s%s%d' % (areas[area], kinds[kind][0], i + 1), readings[area] + kinds[kind][1],
                             '%.5f' % lat, '%.5f' % lon, '', kinds[kind][2], i % 11, ['', '', 45, 90][i % 4]])


if __name__ == '__main__':
    cli = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, 'build', 'native', 'vondrel-cli')
    os.makedirs(OUT, exist_ok=True)
    write_generated(250)
    write(cli, 'tokyo_points')
    write(cli, 'points_250')
