#!/usr/bin/env python3
"""Writes the sample point files under samples/: a realistic list of about 30 points around
Tokyo and Kanagawa (Tokyo datum, Shift_JIS) and a generated list of 250 points.

The files follow the editor's own output byte for byte, plus a telephone element per point
as other programs write it. Run: python3 tools/samples/make_samples.py
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, '..', '..', 'samples')

# name, reading, WGS84 latitude, WGS84 longitude, mark, sound, direction (None = off), telephone
POINTS = [
    ('東京タワー', 'とうきょうたわー', 35.65861, 139.74544, 1, 1, None, '03-3433-5111'),
    ('浅草寺', 'せんそうじ', 35.71476, 139.79665, 12, 0, None, '03-3842-0181'),
    ('東京駅', 'とうきょうえき', 35.68123, 139.76712, 3, 2, 180, ''),
    ('皇居外苑', 'こうきょがいえん', 35.68036, 139.75818, 24, 0, None, '03-3213-0095'),
    ('上野動物園', 'うえのどうぶつえん', 35.71648, 139.77130, 7, 4, None, '03-3828-5171'),
    ('明治神宮', 'めいじじんぐう', 35.67639, 139.69933, 12, 0, None, '03-3379-5511'),
    ('首都高 箱崎JCT', 'はこざきじゃんくしょん', 35.68208, 139.78905, 30, 9, 90, ''),
    ('築地場外市場', 'つきじじょうがいしじょう', 35.66540, 139.77080, 18, 0, None, ''),
    ('お台場海浜公園', 'おだいばかいひんこうえん', 35.62900, 139.77500, 24, 3, None, '03-5500-2455'),
    ('羽田空港 第1', 'はねだくうこう', 35.54860, 139.78410, 40, 5, 315, ''),
    ('東京スカイツリー', 'とうきょうすかいつりー', 35.71006, 139.81070, 1, 1, None, '0570-55-0634'),
    ('六本木ヒルズ', 'ろっぽんぎひるず', 35.66047, 139.72905, 9, 0, None, ''),
    ('新宿御苑', 'しんじゅくぎょえん', 35.68517, 139.71003, 24, 0, None, '03-3341-1461'),
    ('海ほたるPA', 'うみほたる', 35.46399, 139.87530, 33, 6, 113, ''),
    ('横浜赤レンガ倉庫', 'よこはまあかれんがそうこ', 35.45286, 139.64273, 9, 7, None, '045-211-1515'),
    ('横浜中華街', 'よこはまちゅうかがい', 35.44260, 139.64590, 18, 0, None, ''),
    ('鎌倉大仏', 'かまくらだいぶつ', 35.31676, 139.53560, 12, 8, None, '0467-22-0703'),
    ('江ノ島', 'えのしま', 35.29924, 139.48018, 24, 0, None, ''),
    ('箱根湯本駅', 'はこねゆもとえき', 35.23290, 139.10570, 3, 2, 270, ''),
    ('道の駅 八王子滝山', 'みちのえきはちおうじたきやま', 35.68540, 139.34160, 36, 10, None, '042-696-1201'),
    ('高尾山口駅', 'たかおさんぐちえき', 35.63260, 139.26990, 3, 0, None, ''),
    ('川越 時の鐘', 'かわごえときのかね', 35.92170, 139.48290, 12, 0, None, ''),
    ('大宮氷川神社', 'おおみやひかわじんじゃ', 35.91630, 139.62920, 12, 0, None, '048-641-0137'),
    ('幕張メッセ', 'まくはりめっせ', 35.64840, 140.03460, 9, 1, None, '043-296-0001'),
    ('成田山新勝寺', 'なりたさんしんしょうじ', 35.78610, 140.31780, 12, 0, None, '0476-22-2111'),
    ('東京ディズニーランド', 'とうきょうでぃずにーらんど', 35.63290, 139.88040, 9, 3, None, ''),
    ('オービス 中央道 上り', 'おーびす', 35.66300, 139.40100, 50, 9, 79, ''),
    ('ガソリンスタンド 環八', 'がそりんすたんど', 35.61230, 139.62510, 45, 11, None, ''),
    ('自宅', 'じたく', 35.57350, 139.65980, 55, 10, 0, ''),
    ('ｺﾝﾋﾞﾆ 国道246', 'こんびに', 35.64210, 139.66910, 46, 0, None, ''),
]

HEADER = ('<?xml version="1.0" encoding="Shift_JIS" ?>\r\n'
          '<!DOCTYPE glorie PUBLIC "-//GLORIE//GLORIE V1.0//EN" "glorie.dtd">\r\n'
          '<glorie version="1.0" model="Kenwood Corporation:HDD-NAVI">\r\n'
          '\t<format>\r\n\t\t<datum>tokyo</datum>\r\n\t\t<unit>degree</unit>\r\n\t</format>\r\n\r\n')


def tokyo_datum(lat, lon):
    """Approximate WGS84 -> Tokyo datum shift for the Kanto area."""
    return lat + 0.0032, lon - 0.0032


def block(name, reading, lat, lon, mark, sound, direction, tel):
    lat_t, lon_t = tokyo_datum(lat, lon)
    lat_s, lon_s = '%.5f' % lat_t, '%.5f' % lon_t
    lines = ['\t<gpoi>\r\n',
             '\t\t<index pos="+%s +%s 00000000 fix tokyo"/>\r\n' % (lat_s, lon_s),
             '\t\t<poi>\r\n', '\t\t\t<point>\r\n', '\t\t\t\t<pos>\r\n',
             '\t\t\t\t\t<lat>%s</lat>\r\n' % lat_s, '\t\t\t\t\t<lon>%s</lon>\r\n' % lon_s,
             '\t\t\t\t</pos>\r\n', '\t\t\t</point>\r\n', '\t\t\t<name>\r\n',
             '\t\t\t\t<nb>%s</nb>\r\n' % name]
    if reading:
        lines.append('\t\t\t\t<rt>%s</rt>\r\n' % reading)
    lines.append('\t\t\t</name>\n')
    if tel:
        lines.append('\t\t\t<contact href="tel:%s"/>\r\n' % tel)
    lines += ['\t\t</poi>\n', '\t\t<category>00000000</category>\r\n',
              '\t\t<category vendor="Kenwood.HDD-NAVI">000031%02X</category>\r\n' % mark,
              '\t\t<linkfile>\r\n',
              '\t\t\t<optional-media format="MSNAVI" id="%d" repeat="1">\r\n' % sound]
    if direction is not None:
        lines += ['\t\t\t\t<activate-condition>\r\n', '\t\t\t\t\t<activate-radius>\r\n',
                  '\t\t\t\t\t\t<outmost>500</outmost>\r\n', '\t\t\t\t\t\t<inmost>0</inmost>\r\n',
                  '\t\t\t\t\t</activate-radius>\r\n', '\t\t\t\t\t<activate-direction>\r\n',
                  '\t\t\t\t\t\t<dcenter>%d</dcenter>\r\n' % direction,
                  '\t\t\t\t\t\t<deviation>22</deviation>\r\n', '\t\t\t\t\t</activate-direction>\r\n',
                  '\t\t\t\t</activate-condition>\r\n']
    lines += ['\t\t\t</optional-media>\r\n', '\t\t</linkfile>\r\n', '\t</gpoi>\r\n']
    return ''.join(lines)


def write(path, points):
    text = HEADER + ''.join(block(*p) for p in points) + '</glorie>\r\n'
    with open(path, 'wb') as f:
        f.write(text.encode('cp932'))


def generated(count):
    areas = ['札幌', '仙台', '新潟', '金沢', '名古屋', '京都', '大阪', '神戸', '広島', '福岡']
    kinds = [('駅', 'えき', 3), ('道の駅', 'みちのえき', 36), ('IC', 'いんたー', 30), ('SA', 'さーびすえりあ', 33),
             ('公園', 'こうえん', 24), ('神社', 'じんじゃ', 12)]
    readings = ['さっぽろ', 'せんだい', 'にいがた', 'かなざわ', 'なごや', 'きょうと', 'おおさか', 'こうべ', 'ひろしま', 'ふくおか']
    points = []
    for i in range(count):
        area, kind = i % len(areas), (i // len(areas)) % len(kinds)
        name = '%s%s%d' % (areas[area], kinds[kind][0], i + 1)
        lat = 33.0 + (i * 0.0371) % 10.0
        lon = 130.0 + (i * 0.0593) % 12.0
        direction = [None, None, 45, 90][i % 4]
        points.append((name, readings[area] + kinds[kind][1], lat, lon, kinds[kind][2], i % 11, direction, ''))
    return points


if __name__ == '__main__':
    os.makedirs(OUT, exist_ok=True)
    write(os.path.join(OUT, 'tokyo_points.xml'), POINTS)
    write(os.path.join(OUT, 'points_250.xml'), generated(250))
