"""ROM folders made from a MAME listing, for the audit's benchmark and its agreement with MAME.

Every ROM gets the bytes its size and CRC32 call for: zeros, then four bytes chosen so the CRC32 comes
out right (MAME's -verifyroms checks the CRC32 only; the SHA1 cannot be matched so). Sets are laid out
merged, split or non-merged, each as a zip, a 7z (written by bsdtar) or a folder; a disk is a CHD made
by chdman with the listing's SHA1 written into its header, which is the SHA1 MAME reads.
"""

import os
import shutil
import subprocess
import tempfile
import warnings
import zipfile
import zlib
import xml.etree.ElementTree as ET

FORMS = ("merged", "split", "non-merged")


class Media:
    """A ROM or disk as the listing states it."""

    __slots__ = ("name", "size", "crc", "sha1", "merge", "status", "optional", "disk")

    def __init__(self, element, disk):
        self.name = element.get("name", "")
        self.size = int(element.get("size", "0") or 0)
        self.crc = int(element.get("crc"), 16) if element.get("crc") else None
        self.sha1 = element.get("sha1")
        self.merge = element.get("merge")
        self.status = element.get("status", "good")
        self.optional = element.get("optional") == "yes"
        self.disk = disk


class Machine:
    __slots__ = ("name", "cloneof", "romof", "isbios", "isdevice", "media", "devices")


def read_listing(path):
    """Every machine of a listing, with its ROMs, disks and device references, by name."""
    machines = {}
    for _, element in ET.iterparse(path):
        if element.tag not in ("machine", "game"):
            continue
        machine = Machine()
        machine.name = element.get("name")
        machine.cloneof = element.get("cloneof")
        machine.romof = element.get("romof")
        machine.isbios = element.get("isbios") == "yes"
        machine.isdevice = element.get("isdevice") == "yes"
        machine.media = [Media(rom, False) for rom in element.iter("rom")]
        machine.media += [Media(disk, True) for disk in element.iter("disk")]
        machine.devices = list(dict.fromkeys(ref.get("name") for ref in element.iter("device_ref")))
        machines[machine.name] = machine
        element.clear()
    return machines


def search_path(machines, name):
    """The set, then its romof chain."""
    path = []
    while name in machines and name not in path:
        path.append(name)
        name = machines[name].romof
    return path


def sets_to_run(machines, names):
    """Each set's search path, its devices with ROMs or disks and theirs, each set once."""
    sets = {}
    for name in names:
        for one in search_path(machines, name):
            sets[one] = True
        for device in machines[name].devices:
            if device in machines and machines[device].media:
                for one in search_path(machines, device):
                    sets[one] = True
    return list(sets)


_ZERO_CRCS = {}


def rom_bytes(size, crc, prefix=None):
    """`size` bytes whose CRC32 is `crc`: the prefix given (zeros by default), then four bytes that make it."""
    if crc is None or size < 4:
        return bytes(size)
    if prefix is None:
        if size not in _ZERO_CRCS:
            _ZERO_CRCS[size] = zlib.crc32(bytes(size - 4))
        prefix_crc = _ZERO_CRCS[size]
        prefix = bytes(size - 4)
    else:
        prefix_crc = zlib.crc32(prefix)
    state = crc ^ 0xFFFFFFFF
    for _ in range(4):
        index = _TOP_BYTES[state >> 24]
        state = (((state ^ _TABLE[index]) << 8) & 0xFFFFFFFF) | index
    return prefix + (state ^ prefix_crc ^ 0xFFFFFFFF).to_bytes(4, "little")


def _crc_table():
    table = []
    for i in range(256):
        c = i
        for _ in range(8):
            c = (c >> 1) ^ 0xEDB88320 if c & 1 else c >> 1
        table.append(c)
    return table


_TABLE = _crc_table()
_TOP_BYTES = {entry >> 24: index for index, entry in enumerate(_TABLE)}


def from_bios(machines, machine, media):
    """Whether a set's merged ROM comes from its BIOS set rather than from a parent."""
    for name in search_path(machines, machine.romof):
        owner = machines[name]
        if owner.isbios and any(own.name == media.merge and own.crc == media.crc for own in owner.media):
            return True
    return False


class Entry:
    """A file to write in a container: the set it is for, the media, its name inside, its bytes."""

    __slots__ = ("owner", "media", "inside", "data")

    def __init__(self, owner, media, inside):
        self.owner = owner
        self.media = media
        self.inside = inside
        self.data = None


def layout(machines, sets, form):
    """The containers of `sets` in `form`: {(holder set, "roms" or "disks"): [Entry]}."""
    containers = {}
    for name in sets:
        machine = machines[name]
        merged = form == "merged" and machine.cloneof in machines
        holder = machine.cloneof if merged else name
        for media in machine.media:
            if media.merge and (form != "non-merged" or from_bios(machines, machine, media)):
                continue
            entries = containers.setdefault((holder, "disks" if media.disk else "roms"), [])
            inside = media.name + (".chd" if media.disk else "")
            # A ROM listed twice (loaded in two places) is one file.
            if any(entry.inside == inside and entry.media.crc == media.crc for entry in entries):
                continue
            if merged and any(entry.inside == inside for entry in entries):
                inside = name + "/" + inside
            entries.append(Entry(name, media, inside))
    return containers


def chd_bytes(sha1, scratch):
    """A CHD made by chdman of 64 KiB of zeros, with `sha1` written over the SHA1 of its header."""
    raw = os.path.join(scratch, "disk.raw")
    chd = os.path.join(scratch, "disk.chd")
    if not os.path.exists(chd):
        with open(raw, "wb") as file:
            file.write(bytes(1 << 16))
        subprocess.run(["chdman", "createraw", "-i", raw, "-o", chd, "--hunksize", "4096", "--unitsize", "512",
                        "-f"], check=True, capture_output=True)
    with open(chd, "rb") as file:
        data = bytearray(file.read())
    data[84:104] = bytes.fromhex(sha1) if sha1 else bytes(20)
    return bytes(data)


def fill(containers, scratch, noise=None):
    """Gives each entry the bytes its media calls for; with a random.Random as `noise`, ROMs begin with
    bytes of its making rather than zeros, which do not compress."""
    for entries in containers.values():
        for entry in entries:
            media = entry.media
            if media.disk:
                entry.data = chd_bytes(media.sha1, scratch)
            else:
                prefix = noise.randbytes(media.size - 4) if noise is not None and media.size >= 4 else None
                entry.data = rom_bytes(media.size, media.crc, prefix)


def write_containers(containers, folder, kinds, scratch):
    """Writes each set's ROMs as kinds[set] says ("zip", "7z" or "folder", zip unless said) and its disks
    in its folder."""
    # Two ROMs of one name and different CRC32s are both written, as MAME finds each by its CRC32.
    warnings.filterwarnings("ignore", "Duplicate name")
    os.makedirs(folder, exist_ok=True)
    for (holder, what), entries in containers.items():
        kind = "folder" if what == "disks" else kinds.get(holder, "zip")
        if kind == "folder":
            for entry in entries:
                path = os.path.join(folder, holder, entry.inside)
                os.makedirs(os.path.dirname(path), exist_ok=True)
                with open(path, "wb") as file:
                    file.write(entry.data)
        elif kind == "zip":
            with zipfile.ZipFile(os.path.join(folder, holder + ".zip"), "w", zipfile.ZIP_DEFLATED,
                                 compresslevel=1) as archive:
                for entry in entries:
                    archive.writestr(entry.inside, entry.data)
        else:
            staging = tempfile.mkdtemp(dir=scratch)
            for entry in entries:
                path = os.path.join(staging, entry.inside)
                os.makedirs(os.path.dirname(path), exist_ok=True)
                with open(path, "wb") as file:
                    file.write(entry.data)
            # MAME's 7z reader takes LZMA, not the deflate bsdtar might choose.
            subprocess.run(["bsdtar", "--format", "7zip", "--options", "7zip:compression=lzma1", "-cf",
                            os.path.abspath(os.path.join(folder, holder + ".7z")), "-C", staging,
                            *[entry.inside for entry in entries]], check=True)
            shutil.rmtree(staging)


def install_missing(packages):
    """Installs the Debian packages whose programs are missing, as bench/run does for its peers."""
    missing = [package for package, program in packages.items() if shutil.which(program) is None]
    if missing:
        sudo = [] if os.geteuid() == 0 else ["sudo"]
        subprocess.run(sudo + ["apt-get", "install", "-y", "-qq", "--no-install-recommends", *missing], check=True,
                       env=dict(os.environ, DEBIAN_FRONTEND="noninteractive"))
