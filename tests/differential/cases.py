"""The generated packages of the differential test: each case is a package folder with its
install script and files, a Trassimo folder as the package finds it, and the answers to give
to the questions whether a newer file is kept. Everything comes from one seeded generator, so
that a seed names the same cases on every machine.

What the cases hold, each with its own chances: nested folders; file names with umlauts;
destinations in existing folders named in another case than the script names them, and
existing files named so too; destinations absent, older, equally old and newer than the
package's file (the newer ones asked about and answered Ja or Nein); missing sources, with
and without a destination; entries without ">>", with "/" as separator, and destinations
that leave Trassimo's folder; two entries for one destination; and texture entries of every
kind: replacing, inserting between blocks and at the end, removing a present and an absent
block, the same id twice, ids that are not numbers or start with digits, negative ids,
entries without ">>"; missing sections and a missing catalogue.
"""
import dataclasses
import random

FOLDERS = ["Modelle", "Texturen", "Gebäude", "Brücken", "Signale", "Fahrzeuge", "Übergänge",
           "Straßen", "Weichen", "Öfen", "Zubehör", "Gleise"]
STEMS = ["Bahnhof", "Güterschuppen", "Stellwerk", "Brücke", "Lok", "Wagen", "Mast", "Häuschen",
         "Übergang", "Prellbock", "Laterne", "Schranke", "Café", "Mühle"]
EXTENSIONS = [".dat", ".bmp", ".txt", ".DAT"]
# Folders of Trassimo's installation that a package finds there (besides Resourcen\Parallels).
TRASSIMO_FOLDERS = ["Resourcen/Modelle", "Resourcen/Texturen", "Resourcen/Modelle/Gebäude",
                    "Resourcen/Signale", "Strecken/Übungsstrecke"]
BASE_TIME = 1_600_000_000  # seconds; every generated file is dated after this


@dataclasses.dataclass
class File:
    path: str  # relative, "/" between folders, as on the disk
    data: bytes
    mtime_ns: int


@dataclasses.dataclass
class Case:
    name: str
    package: list  # of File, the install script among them
    trassimo: list  # of File
    folders: list  # folders of Trassimo's installation, relative
    answers: str  # "j" and "n", one per question in order


def vary_case(rng, text):
    """The same name with the case of some letters changed (at least one, where there is one)."""
    letters = [i for i, c in enumerate(text) if c.lower() != c.upper()]
    if not letters:
        return text
    chars = list(text)
    for i in rng.sample(letters, rng.randint(1, len(letters))):
        chars[i] = chars[i].swapcase()
    changed = "".join(chars)
    if changed == text:
        chars[letters[0]] = chars[letters[0]].swapcase()
        changed = "".join(chars)
    return changed


def content(rng, label):
    size = rng.choice([0, 1, 17, 300, 4096, rng.randint(2, 20000)])
    head = f"{label}\r\n".encode("cp1252")
    return (head + bytes(rng.getrandbits(8) for _ in range(size)))[: max(size, 1)]


def some_time(rng):
    """A last-write time in nanoseconds: whole seconds, or 100-ns steps as NTFS keeps them."""
    seconds = BASE_TIME + rng.randint(0, 10_000_000)
    fraction = rng.choice([0, 0, rng.randint(0, 9_999_999) * 100])
    return seconds * 1_000_000_000 + fraction


def file_name(rng, used):
    while True:
        name = rng.choice(STEMS) + rng.choice(["", "2", "_alt", "-neu"]) + rng.choice(EXTENSIONS)
        if name.lower() not in used:
            used.add(name.lower())
            return name


def catalogue(rng, ids):
    """A texture catalogue holding blocks of `ids` in this order, in one of the layouts
    Trassimo's files come in (CR LF or LF, blanks or tabs)."""
    newline = rng.choice(["\r\n", "\n"])
    gap = rng.choice([" ", "\t", "  "])
    lines = ["{"]
    for texture_id in ids:
        lines.append(f"{gap}Textur{{{gap}id({texture_id}){gap}datei(T{texture_id}.bmp){gap}"
                     f"breite({rng.choice([16, 32, 64])}){gap}}}")
    lines.append("}")
    return (newline.join(lines) + rng.choice(["", newline])).encode("cp1252")


def texture_entries(rng, ids):
    """Texture entries of every kind against a catalogue with the blocks `ids`."""
    entries = []
    kinds = ["replace", "between", "end", "remove", "remove-absent", "twice", "not-a-number",
             "digits-first", "negative", "no-separator"]
    for _ in range(rng.randint(0, 6)):
        kind = rng.choice(kinds)
        present = sorted(ids)
        if kind in ("replace", "remove", "twice") and present:
            texture_id = str(rng.choice(present))
        elif kind == "between" and len(present) >= 2:
            low = rng.randrange(len(present) - 1)
            texture_id = str(rng.randint(present[low], present[low + 1]))
        elif kind == "not-a-number":
            texture_id = rng.choice(["abc", "", "x12"])
        elif kind == "digits-first":
            texture_id = f"{rng.choice(present or [5])}abc"
        elif kind == "negative":
            texture_id = str(-rng.randint(1, 50))
        else:
            texture_id = str((max(present) if present else 1000) + rng.randint(1, 500))
        definition = (f"Textur{{ id({texture_id}) datei(N{rng.randint(1, 99)}.bmp) "
                      f"breite({rng.choice([8, 128, 256])}) }}")
        if kind in ("remove", "remove-absent"):
            definition = ""
        if kind == "no-separator":
            entries.append(f"{{ {texture_id} {definition} }}")
            continue
        entries.append(f"{{ {texture_id} >> {definition} }}")
        if kind == "twice":
            entries.append(f"{{ {texture_id} >> Textur{{ id({texture_id}) datei(Zweimal.bmp) }} }}")
    return entries


class CaseBuilder:
    def __init__(self, rng, name):
        self.rng = rng
        self.name = name
        self.package = {}
        self.trassimo = {}
        self.folders = set(TRASSIMO_FOLDERS)
        self.entries = []
        self.used_names = set()
        self.existing = set()  # destinations that exist before the run, in lower case

    def source(self, exists):
        rng = self.rng
        folders = [rng.choice(FOLDERS) for _ in range(rng.randint(0, 3))]
        path = "/".join(folders + [file_name(rng, self.used_names)])
        if exists:
            self.package[path] = File(path, content(rng, path), some_time(rng))
        return path

    def destination(self):
        """A destination as the disk names it, and as the script names it."""
        rng = self.rng
        name = file_name(rng, self.used_names)
        if rng.random() < 0.5:
            folder = rng.choice(sorted(self.folders))
            # An existing folder, named in another case by the script now and then.
            parts = folder.split("/")
            in_script = [vary_case(rng, p) if rng.random() < 0.4 else p for p in parts]
            return folder + "/" + name, "/".join(in_script) + "/" + name
        folders = ["Resourcen"] + [rng.choice(FOLDERS) for _ in range(rng.randint(0, 3))]
        path = "/".join(folders + [name])
        return path, path

    def file_entry(self):
        rng = self.rng
        source_exists = rng.random() > 0.1
        source = self.source(source_exists)
        if self.entries and rng.random() < 0.1:  # a second entry for the same destination
            on_disk, in_script = rng.choice(self.entries)[1:]
        else:
            on_disk, in_script = self.destination()
        state = rng.choice(["absent", "absent", "older", "equal", "newer", "newer"])
        source_time = self.package[source].mtime_ns if source_exists else some_time(rng)
        if state != "absent" and on_disk.lower() not in self.existing:
            name = on_disk.rsplit("/", 1)[-1]
            folder = on_disk[: -len(name)]
            if rng.random() < 0.2:  # the existing file named in another case
                name = vary_case(rng, name)
            existing = folder + name
            offset = rng.randint(1, 5_000_000) * 1_000_000_000 + rng.choice([0, 100])
            when = {"older": source_time - offset, "equal": source_time,
                    "newer": source_time + offset}[state]
            self.trassimo[existing] = File(existing, content(rng, "alt " + existing), when)
            self.existing.add(on_disk.lower())
        self.entries.append((source, on_disk, in_script))
        separator = rng.choice(["\\", "\\", "/"])
        text_source = source.replace("/", separator)
        text_destination = in_script.replace("/", separator)
        kind = rng.random()
        if kind < 0.04:
            return f"{{ {text_source} {text_destination} }}"  # no ">>": passed over
        if kind < 0.08:
            return f"{{ {text_source} >> ..\\{text_destination} }}"  # leaves Trassimo's folder
        if kind < 0.12:
            return f"{{ {text_source} >> Resourcen\\..\\{text_destination} }}"
        return f"{{ {text_source} >> {text_destination} }}"

    def build(self):
        rng = self.rng
        self.trassimo["TRZ.exe"] = File("TRZ.exe", b"MZ" + bytes(62), some_time(rng))
        ids = sorted(rng.sample(range(1, 3000), rng.randint(0, 8)))
        if rng.random() < 0.3:
            rng.shuffle(ids)  # a catalogue out of id order
        if rng.random() > 0.06:
            path = "Resourcen/Parallels/Texturen.txt"
            self.trassimo[path] = File(path, catalogue(rng, ids), some_time(rng))
        file_entries = [self.file_entry() for _ in range(rng.randint(1, 7))]
        newline = rng.choice(["\r\n", "\n"])
        indent = rng.choice(["\t", "    ", ""])
        sections = []
        if rng.random() > 0.05:
            sections.append(["Dateinstallation", "{"] + [indent + e for e in file_entries] + ["}"])
        if rng.random() > 0.05:
            sections.append(["Texturskript", "{"] +
                            [indent + e for e in texture_entries(rng, ids)] + ["}"])
        if rng.random() < 0.2:
            sections.reverse()
        script = newline.join(line for section in sections for line in section + [""])
        script_file = File("InstSkript.txt", script.encode("cp1252"), some_time(rng))
        self.package[script_file.path] = script_file
        questions = len(file_entries) + 2
        answers = "".join(rng.choice("jn") for _ in range(questions))
        return Case(self.name, sorted(self.package.values(), key=lambda f: f.path),
                    sorted(self.trassimo.values(), key=lambda f: f.path),
                    sorted(self.folders), answers)


def generate(seed, count):
    """`count` cases, named p001, p002, ..., the same for the same seed."""
    cases = []
    for number in range(1, count + 1):
        rng = random.Random(f"{seed}/{number}")
        cases.append(CaseBuilder(rng, f"p{number:03d}").build())
    return cases
