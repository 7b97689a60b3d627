"""Reads a Desenha_Chuvadas page the way a browser does and prints what the
end-to-end tests compare, one item per line:

    campo <name>=<value>        a value of the heading block
    linha <f1>,<f2>,...         a row of the events table, fields as in the CSV
    idf <f1>,<f2>,...           a row of the IDF table, fields as in the CSV
    svg <n>                     number of drawings, each well-formed XML
    figura <n>                  number of hyetographs

Stops with exit code 1 and a message on standard error when the page is not
valid HTML5 or a drawing is not well-formed. Needs html5lib (python3-html5lib).
"""
import re
import sys
import xml.etree.ElementTree as ET

import html5lib

SVG = "{http://www.w3.org/2000/svg}"


def texto(elemento):
    return "".join(elemento.itertext()).strip()


def main(caminho):
    with open(caminho, "rb") as arquivo:
        bruto = arquivo.read()
    try:
        documento = html5lib.HTMLParser(strict=True, namespaceHTMLElements=False).parse(bruto)
    except html5lib.html5parser.ParseError as erro:
        sys.exit("not valid HTML5: %s" % erro)
    # Nothing may be fetched: no script, no external reference.
    for elemento in documento.iter():
        for atributo in ("src", "href"):
            if atributo in elemento.attrib:
                sys.exit("the page refers to %s" % elemento.attrib[atributo])
        if elemento.tag in ("script", "link", "img", "iframe"):
            sys.exit("the page holds a <%s>" % elemento.tag)

    for td in documento.iter("td"):
        if "data-campo" in td.attrib:
            print("campo %s=%s" % (td.attrib["data-campo"], texto(td)))
    for tabela in documento.iter("table"):
        item = {"eventos": "linha", "idf": "idf"}.get(tabela.attrib.get("class"))
        if item is None:
            continue
        for tr in tabela.iter("tr"):
            celulas = [texto(td) for td in tr.findall("td")]
            if celulas:
                print(item + " " + ",".join(celulas))

    desenhos = re.findall(rb"<svg\b.*?</svg>", bruto, re.S)
    for desenho in desenhos:
        try:
            raiz = ET.fromstring(desenho)
        except ET.ParseError as erro:
            sys.exit("a drawing is not well-formed XML: %s" % erro)
        if raiz.tag != SVG + "svg" or len(list(raiz)) == 0:
            sys.exit("an empty or foreign drawing")
    print("svg %d" % len(desenhos))
    print("figura %d" % sum(1 for _ in documento.iter("figure")))


if __name__ == "__main__":
    main(sys.argv[1])
