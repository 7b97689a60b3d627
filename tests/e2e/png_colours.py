"""Counts the pixels of a PNG screenshot near each of the given colours:

    png_colours.py <png> <rrggbb> [<rrggbb> ...]

prints "<rrggbb> <count>" per colour and "nonwhite <count>". The standard
library only: the image is decoded here (8-bit RGB or RGBA, not interlaced).
"""
import struct
import sys
import zlib


def pixels(caminho):
    with open(caminho, "rb") as arquivo:
        dados = arquivo.read()
    if dados[:8] != b"\x89PNG\r\n\x1a\n":
        sys.exit("not a PNG")
    pos, comprimido = 8, b""
    while pos < len(dados):
        tamanho, tipo = struct.unpack(">I4s", dados[pos:pos + 8])
        corpo = dados[pos + 8:pos + 8 + tamanho]
        if tipo == b"IHDR":
            largura, altura, bits, cor, _, _, entrelacado = struct.unpack(">IIBBBBB", corpo)
        elif tipo == b"IDAT":
            comprimido += corpo
        pos += 12 + tamanho
    if bits != 8 or cor not in (2, 6) or entrelacado:
        sys.exit("unsupported PNG")
    canais = 3 if cor == 2 else 4
    bruto = zlib.decompress(comprimido)
    linha_bytes = largura * canais
    anterior = bytearray(linha_bytes)
    pos = 0
    for _ in range(altura):
        filtro = bruto[pos]
        linha = bytearray(bruto[pos + 1:pos + 1 + linha_bytes])
        pos += 1 + linha_bytes
        for i in range(linha_bytes):
            a = linha[i - canais] if i >= canais else 0
            b = anterior[i]
            c = anterior[i - canais] if i >= canais else 0
            if filtro == 1:
                linha[i] = (linha[i] + a) & 255
            elif filtro == 2:
                linha[i] = (linha[i] + b) & 255
            elif filtro == 3:
                linha[i] = (linha[i] + (a + b) // 2) & 255
            elif filtro == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                linha[i] = (linha[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        anterior = linha
        for x in range(0, linha_bytes, canais):
            yield linha[x], linha[x + 1], linha[x + 2]


def main(caminho, cores):
    alvos = [(c, int(c[0:2], 16), int(c[2:4], 16), int(c[4:6], 16)) for c in cores]
    contagem = {c: 0 for c in cores}
    nao_branco = 0
    for r, g, b in pixels(caminho):
        if r < 245 or g < 245 or b < 245:
            nao_branco += 1
            for nome, ar, ag, ab in alvos:
                if abs(r - ar) + abs(g - ag) + abs(b - ab) <= 30:
                    contagem[nome] += 1
    for c in cores:
        print("%s %d" % (c, contagem[c]))
    print("nonwhite %d" % nao_branco)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2:])
